// The desktop side of the browser test (tests/web/web_test.py): plays the game the page
// shows, from the strand the page drew, and compares the page's pictures with its own.
// One command a line on standard input, one answer a line ("ok ..." or "fail ...").
//   strand S          the game starts with the 60-letter template strand S
//   set I TEXT        codon box I holds TEXT ("-" for empty)
//   code | close      press "Codifica proteina" | close the message box that is up
//   replaced          answers "ok" and the replaced amino acids' names, slot by slot, joined by '|'
//   lookup I          click glyph I      about | ok   open the about window | press "Ok"
//   compare WINDOW SHOT X Y FOCUS [L T W H]...   the client area of WINDOW ("box" for the
//                     message box) against the part of the picture SHOT whose top left is X, Y,
//                     leaving out the control FOCUS and the page's rectangles L T W H
#include "app/assets.h"
#include "app/forms.h"
#include "core/shared_strand.h"
#include "ui/form_names.h"
#include "ui/main/main_form.h"
#include "ui/toolkit/toolkit.h"

#include <QApplication>
#include <QImage>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

namespace {
using namespace vintalem::ui;

// A picture matches when the mean colour of every 8 x 8 tile is within this many levels of 255
// (in the channel that differs most) of the page's. The page's FreeType places text edges a
// little differently (up to 16 levels measured); a codon box holding another codon differs by
// 30 or more, a wrong glyph, colour or missing control by far more.
constexpr double kTileTolerance = 24.0;

// The box the page shows, kept open until "close" so that a run waits as it does in the page.
class HeldMessages final : public MessageService {
public:
    void show(const QString& prompt, const QString& title) override
    {
        show(prompt, title, [] {});
    }
    void show(const QString& prompt, const QString& title, std::function<void()> then) override
    {
        box = std::make_unique<QMessageBox>(QMessageBox::NoIcon, title, prompt, QMessageBox::Ok);
        box->button(QMessageBox::Ok)->setIcon(QIcon());
        box->show();
        then_ = std::move(then);
    }
    void close()
    {
        box.reset();
        if (auto then = std::exchange(then_, nullptr))
            then();
    }
    std::unique_ptr<QMessageBox> box;

private:
    std::function<void()> then_;
};

QString compare(const QImage& reference, const QString& shotFile, int x, int y, const std::vector<QRect>& skip,
                const QString& name)
{
    // Kept beside the page's picture, for a person to look at.
    reference.save(QString(shotFile).replace(QStringLiteral(".png"), QStringLiteral("-%1-desktop.png").arg(name)));
    const QImage shot = QImage(shotFile).convertToFormat(QImage::Format_RGB32);
    const QImage ref = reference.convertToFormat(QImage::Format_RGB32);
    if (shot.isNull() || !shot.rect().contains(QRect(QPoint(x, y), ref.size())))
        return QStringLiteral("fail the page's picture does not hold the window");
    double worst = 0;
    QPoint where;
    for (int ty = 0; ty < ref.height(); ty += 8)
        for (int tx = 0; tx < ref.width(); tx += 8) {
            if (std::any_of(skip.begin(), skip.end(), [&](const QRect& r) { return r.intersects(QRect(tx, ty, 8, 8)); }))
                continue;
            long long sums[3] = {0, 0, 0};
            int count = 0;
            for (int py = ty; py < std::min(ty + 8, ref.height()); ++py)
                for (int px = tx; px < std::min(tx + 8, ref.width()); ++px, ++count) {
                    const QRgb a = ref.pixel(px, py), b = shot.pixel(x + px, y + py);
                    sums[0] += qRed(a) - qRed(b);
                    sums[1] += qGreen(a) - qGreen(b);
                    sums[2] += qBlue(a) - qBlue(b);
                }
            const double differs = static_cast<double>(std::max({std::abs(sums[0]), std::abs(sums[1]), std::abs(sums[2])})) / count;
            if (differs > worst) {
                worst = differs;
                where = QPoint(tx, ty);
            }
        }
    return QStringLiteral("%1 worst 8x8 tile differs by %2 at %3,%4 (tolerance %5)")
        .arg(worst <= kTileTolerance ? "ok" : "fail")
        .arg(worst, 0, 'f', 1)
        .arg(where.x())
        .arg(where.y())
        .arg(kTileTolerance);
}
}  // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    setUpApplication();
    QApplication::setQuitOnLastWindowClosed(false);
    Toolkit toolkit;
    auto held = std::make_unique<HeldMessages>();
    HeldMessages* messages = held.get();
    toolkit.setMessages(std::move(held));
    registerForms(toolkit.forms());
    MainForm* main = nullptr;

    for (std::string line; std::getline(std::cin, line);) {
        std::istringstream in(line);
        std::string command, a;
        int n = -1, x = 0, y = 0;
        in >> command;
        QString answer = QStringLiteral("ok");
        if (command == "strand" && in >> a && a.size() == 60) {
            toolkit.setRandom(std::make_unique<RandomService<vintalem::ReplayedDraws>>(vintalem::ReplayedDraws(vintalem::drawsFor(a))));
            main = toolkit.forms().load<MainForm>(names::zuvo);
            main->show();
        } else if (main && command == "set" && in >> n >> a && n >= 0 && n < MainForm::kSlots) {
            main->nt[n]->setText(a == "-" ? QString() : QString::fromStdString(a));
        } else if (main && command == "code") {
            main->CodProt->click();
        } else if (command == "close") {
            messages->close();
        } else if (main && command == "lookup" && in >> n && n >= 0 && n < MainForm::kSlots) {
            main->AA_Click(n);
        } else if (command == "about") {
            toolkit.forms().show(names::Information);
        } else if (main && command == "replaced") {
            QStringList names;
            for (const Label* name : main->OldAaName)
                names << name->text();
            answer = QStringLiteral("ok ") + names.join(u'|');
        } else if (command == "ok") {
            if (auto* ok = toolkit.forms().find(names::Information))
                ok->findChild<QPushButton*>(QStringLiteral("ok"))->click();
        } else if (std::string shot; command == "compare" && in >> a >> shot >> x >> y) {
            QWidget* window = a == "box" ? static_cast<QWidget*>(messages->box.get()) : toolkit.forms().find(QString::fromStdString(a));
            if (auto* form = qobject_cast<Form*>(window))
                window = form->client();
            // The box or button with the page's keyboard focus is left out (a text cursor
            // blinks, a focus frame depends on the window system); here nothing has the focus.
            QRect skip;
            if (std::string focus; window && in >> focus)
                for (QWidget* control : window->findChildren<QWidget*>()) {
                    const auto* button = qobject_cast<QAbstractButton*>(control);
                    if ((button || qobject_cast<QLineEdit*>(control))
                        && (control->objectName().toStdString() == focus
                            || (button && "button:" + button->text().toStdString() == focus)))
                        skip = QRect(control->mapTo(window, QPoint(0, 0)), control->size());
                }
            if (QWidget* focused = QApplication::focusWidget())
                focused->clearFocus();
            // Other windows of the page that cover part of this one, in the page's coordinates.
            // Logical pixels in, the pictures' pixels out: the page may draw the game at any scale.
            const qreal k = window ? window->devicePixelRatioF() : 1.0;
            const auto scaled = [k](const QRect& r) { return QRectF(r.x() * k, r.y() * k, r.width() * k, r.height() * k).toAlignedRect(); };
            std::vector<QRect> covered{scaled(skip)};
            for (int l, t, w, h; in >> l >> t >> w >> h;)
                covered.push_back(scaled(QRect(l - x, t - y, w, h)));
            answer = window && window->isVisible()
                ? compare(window->grab().toImage(), QString::fromStdString(shot), qRound(x * k), qRound(y * k), covered,
                          QString::fromStdString(a))
                : QStringLiteral("fail %1 is not shown").arg(a.c_str());
        } else {
            answer = QStringLiteral("fail cannot do: %1").arg(QString::fromStdString(line));
        }
        QCoreApplication::processEvents();
        std::cout << answer.toStdString() << std::endl;
    }
    return 0;
}
