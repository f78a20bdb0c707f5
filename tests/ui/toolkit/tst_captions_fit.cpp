#include "core/amino_acids.h"
#include "tests/support/fakes.h"
#include "ui/codon_table/codon_table_form.h"
#include "ui/form_names.h"
#include "ui/main/main_form.h"
#include "ui/toolkit/controls.h"

#include <QAction>
#include <QApplication>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QStyleOptionButton>
#include <QTest>
#include <QToolButton>

#include <memory>

using namespace vintalem;
using namespace vintalem::ui;

namespace {

constexpr int kTall = 100000;

QString qstr(std::string_view s) { return QString::fromUtf8(s.data(), qsizetype(s.size())); }

// The space a push button leaves for its caption, as the style draws it.
QRect buttonContents(const QPushButton& button)
{
    QStyleOptionButton option;
    option.initFrom(&button);
    option.text = button.text();
    option.features = QStyleOptionButton::None;
    if (button.autoDefault())
        option.features |= QStyleOptionButton::AutoDefaultButton;
    if (button.isDefault())
        option.features |= QStyleOptionButton::DefaultButton;
    option.rect = button.rect();
    return button.style()->subElementRect(QStyle::SE_PushButtonContents, &option, &button);
}

}  // namespace

// Every caption at the windows' default font, in the control that shows it.
class TstCaptionsFit : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();

    void captionFits_data();
    void captionFits();
    void menuBarShowsEveryTitle();

private:
    std::unique_ptr<test::TestToolkit> tk_;
};

void TstCaptionsFit::initTestCase()
{
    QApplication::setQuitOnLastWindowClosed(false);
    tk_ = std::make_unique<test::TestToolkit>();
    FormRegistry& forms = tk_->forms();
    for (const QString& name : {names::zuvo, names::Atab, names::mutazioni, names::InformazsuVintalem})
        QVERIFY2(forms.show(name), qPrintable(name));
    // Last: it disables the others.
    QVERIFY(forms.show(names::Information));
}

void TstCaptionsFit::cleanupTestCase()
{
    tk_.reset();
    test::flushDeletes();
}

void TstCaptionsFit::captionFits_data()
{
    QTest::addColumn<QWidget*>("control");
    QTest::addColumn<QString>("text");
    FormRegistry& forms = tk_->forms();
    const QStringList all{names::zuvo, names::Atab, names::mutazioni, names::InformazsuVintalem, names::Information};
    for (const QString& name : all) {
        Form* form = forms.find(name);
        QVERIFY2(form, qPrintable(name));
        for (QLabel* label : form->findChildren<QLabel*>())
            if (!label->text().isEmpty())
                QTest::addRow("%s/%s", qPrintable(name), qPrintable(label->objectName())) << static_cast<QWidget*>(label)
                                                                                          << label->text();
        for (QPushButton* button : form->findChildren<QPushButton*>())
            QTest::addRow("%s/%s", qPrintable(name), qPrintable(button->objectName()))
                << static_cast<QWidget*>(button) << button->text();
        for (QGroupBox* box : form->findChildren<QGroupBox*>())
            QTest::addRow("%s/%s", qPrintable(name), qPrintable(box->objectName())) << static_cast<QWidget*>(box)
                                                                                    << box->title();
        for (Frame* frame : form->findChildren<Frame*>())
            QTest::addRow("%s/%s", qPrintable(name), qPrintable(frame->objectName())) << static_cast<QWidget*>(frame)
                                                                                      << frame->caption();
    }

    // Captions the program writes later: every code under a glyph, every codon list.
    auto* main = forms.find<MainForm>(names::zuvo);
    auto* table = forms.find<CodonTableForm>(names::Atab);
    QVERIFY(main && table);
    for (const AminoAcid& a : kCatalogue) {
        const QString code = qstr(a.code);
        QTest::addRow("zuvo/naame(0) %s", qPrintable(code)) << static_cast<QWidget*>(main->naame[0]) << code;
        QTest::addRow("zuvo/OldAaName(0) %s", qPrintable(code)) << static_cast<QWidget*>(main->OldAaName[0]) << code;
        for (int cell = 0; cell < CodonTableForm::kCells; ++cell) {
            if (table->aminoacido[cell]->text() != code)
                continue;
            table->aminoacido_Click(cell);
            QTest::addRow("Atab/Label74 %s", qPrintable(code)) << static_cast<QWidget*>(table->Label74)
                                                               << table->Label74->text();
            break;
        }
    }
}

void TstCaptionsFit::captionFits()
{
    QFETCH(QWidget*, control);
    QFETCH(QString, text);
    QVERIFY(control);
    const QFontMetrics metrics(control->font());

    if (auto* button = qobject_cast<QPushButton*>(control)) {
        const QRect inside = buttonContents(*button);
        const QSize needed = metrics.size(Qt::TextShowMnemonic, text);
        QVERIFY2(needed.width() <= inside.width() && needed.height() <= inside.height(),
                 qPrintable(QStringLiteral("needs %1 x %2, has %3 x %4")
                                .arg(needed.width())
                                .arg(needed.height())
                                .arg(inside.width())
                                .arg(inside.height())));
        return;
    }
    if (qobject_cast<Frame*>(control) || qobject_cast<QGroupBox*>(control)) {
        // The title sits 8 pixels in, with 2 pixels of clear space on each side.
        const int needed = 8 + metrics.horizontalAdvance(text) + 4;
        QVERIFY2(needed <= control->width(),
                 qPrintable(QStringLiteral("needs %1, has %2").arg(needed).arg(control->width())));
        QVERIFY(metrics.height() <= control->height());
        return;
    }
    auto* label = qobject_cast<QLabel*>(control);
    QVERIFY(label);
    const QRect inside = label->contentsRect();
    const int flags = label->wordWrap() ? Qt::TextWordWrap : 0;
    const QRect needed = metrics.boundingRect(QRect(0, 0, inside.width(), kTall), flags, text);
    QVERIFY2(needed.height() <= inside.height() && needed.width() <= inside.width(),
             qPrintable(QStringLiteral("needs %1 x %2, has %3 x %4")
                            .arg(needed.width())
                            .arg(needed.height())
                            .arg(inside.width())
                            .arg(inside.height())));
}

void TstCaptionsFit::menuBarShowsEveryTitle()
{
    auto* main = tk_->forms().find<MainForm>(names::zuvo);
    QVERIFY(main);
    QMenuBar* bar = main->menuBar();
    QVERIFY(bar);
    const QList<QAction*> titles = bar->actions();
    QCOMPARE(titles.size(), 2);
    const QFontMetrics metrics(bar->font());
    for (QAction* title : titles) {
        const QRect at = bar->actionGeometry(title);
        const int needed = metrics.size(Qt::TextShowMnemonic, title->text()).width();
        QVERIFY2(!at.isEmpty() && bar->rect().contains(at) && at.width() >= needed,
                 qPrintable(QStringLiteral("%1 at %2,%3 %4 wide, needs %5, bar %6 wide")
                                .arg(title->text())
                                .arg(at.x())
                                .arg(at.y())
                                .arg(at.width())
                                .arg(needed)
                                .arg(bar->width())));
        // The items of each menu are laid out wide enough for their captions.
        QMenu* menu = title->menu();
        QVERIFY(menu);
        for (QAction* item : menu->actions()) {
            const int itemNeeded = QFontMetrics(menu->font()).size(Qt::TextShowMnemonic, item->text()).width();
            QVERIFY2(menu->actionGeometry(item).width() >= itemNeeded, qPrintable(item->text()));
        }
    }
    // No title was pushed into the overflow button.
    for (const QToolButton* overflow : bar->findChildren<QToolButton*>())
        QVERIFY(!overflow->isVisible());
}

QTEST_MAIN(TstCaptionsFit)
#include "tst_captions_fit.moc"
