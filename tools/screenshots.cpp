// Plays one short game and saves a picture of every window: main.png after a
// coding run with two mutations, and one picture per other window.
#include "app/assets.h"
#include "app/forms.h"
#include "core/sequence.h"
#include "ui/form_names.h"
#include "ui/main/main_form.h"
#include "ui/toolkit/toolkit.h"

#include <QApplication>
#include <QDir>
#include <QTimer>

#include <cstdio>

namespace {
using namespace vintalem::ui;

class SilentMessages final : public MessageService {
public:
    void show(const QString& prompt, const QString&) override { std::fprintf(stderr, "message: %s\n", qPrintable(prompt)); }
};

bool save(const QString& dir, const QString& file, QWidget* window)
{
    const bool ok = window && window->grab().save(QDir(dir).filePath(file));
    std::printf("%s %s\n", ok ? "wrote" : "FAILED", qPrintable(QDir(dir).filePath(file)));
    return ok;
}
}  // namespace

int main(int argc, char* argv[])
{
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    QApplication app(argc, argv);
    setUpApplication();
    QApplication::setQuitOnLastWindowClosed(false);
    const QString dir = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    QDir().mkpath(dir);

    Toolkit toolkit;
    toolkit.setMessages(std::make_unique<SilentMessages>());
    // A fixed strand, so that the pictures of two builds (Linux, Windows) compare pixel for pixel.
    toolkit.setRandom(std::make_unique<RandomService<vintalem::ClockSeededGenerator>>(
        vintalem::ClockSeededGenerator([] { return std::uint64_t{0}; }, 0x5EED2026)));
    registerForms(toolkit.forms());
    auto* main = toolkit.forms().load<MainForm>(names::zuvo);
    main->show();

    // A replacing mutation in slot 3 and a change of the second base in slot 9.
    auto mutate = [](QLineEdit* box, int position) {
        QString text = box->text();
        const QString bases = QStringLiteral("acgt");
        text[position] = bases[(bases.indexOf(text[position]) + 1) % 4];
        box->setText(text);
    };
    mutate(main->nt[3], 0);
    mutate(main->nt[9], 1);
    main->CodProt->click();
    main->AA_Click(3);

    int failures = 0;
    QTimer::singleShot(300, [&] {
        failures += !save(dir, QStringLiteral("main.png"), main);
        failures += !save(dir, QStringLiteral("codon_table.png"), toolkit.forms().find(names::Atab));
        failures += !save(dir, QStringLiteral("mutazioni.png"), toolkit.forms().find(names::mutazioni));
        main->Info->trigger();
        main->mnuInformations->trigger();
        QTimer::singleShot(300, [&] {
            failures += !save(dir, QStringLiteral("how_to_play.png"), toolkit.forms().find(names::InformazsuVintalem));
            failures += !save(dir, QStringLiteral("about.png"), toolkit.forms().find(names::Information));
            // A silent change: one stop template for another shows the note.
            toolkit.forms().unload(names::Information);
            main->ChnSeq->click();
            main->nt[19]->setText(main->nt[19]->text() == QLatin1String("act") ? QStringLiteral("att")
                                                                               : QStringLiteral("act"));
            main->CodProt->click();
            failures += !save(dir, QStringLiteral("silent.png"), main);
            // The real message box, for an incomplete codon.
            toolkit.setMessages(std::make_unique<QtMessageService>());
            QTimer::singleShot(300, [&] {
                QWidget* box = QApplication::activeModalWidget();
                failures += !save(dir, QStringLiteral("message.png"), box);
                if (box)
                    box->close();
            });
            main->nt[4]->setText(QStringLiteral("ga"));
            main->CodProt->click();
            QCoreApplication::exit(failures == 0 ? 0 : 1);
        });
    });
    QApplication::exec();
    return failures == 0 ? 0 : 1;
}
