#include "about_form.h"

#include "ui/form_names.h"
#include "ui/toolkit/form_registry.h"
#include "ui/toolkit/twips.h"

namespace vintalem::ui {

namespace {
// The windows the about window holds still, in the order it disables and enables them.
const QString kBlocked[] = {names::zuvo, names::mutazioni, names::Atab};
}  // namespace

AboutForm::AboutForm() : Form(names::Information, QStringLiteral("Informazioni sul programma"), 4545, 2220)
{
    setDialogRole(true);
    ok = new QPushButton(QStringLiteral("Ok"), client());
    ok->setObjectName(QStringLiteral("ok"));
    placeTwips(ok, 1680, 1800, 1095, 375);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &AboutForm::ok_Click);

    Informazioni = new Label(QString(), client());
    Informazioni->setObjectName(QStringLiteral("Informazioni"));
    placeTwips(Informazioni, 120, 120, 4335, 1455);
}

QString AboutForm::aboutText()
{
    const QString title = QStringLiteral("Vintalem") + QString(46, QLatin1Char(' ')) + QStringLiteral("Versione 1.0 per Win95");
    return title + QStringLiteral("\n\n") + QStringLiteral("Il presente programma è stato realizzato da:") +
           QStringLiteral("\n") + QStringLiteral("Giulia Bernardi") + QStringLiteral("\n\n") +
           QStringLiteral("Con la collaborazione di:") + QStringLiteral("\n") +
           QStringLiteral("Luca Moretti e Chiara Fontana");
}

void AboutForm::Form_Load()
{
    for (const QString& name : kBlocked)
        forms().setEnabled(name, false);
    Informazioni->setText(aboutText());
}

void AboutForm::Form_QueryUnload(int& /*Cancel*/, int /*UnloadMode*/)
{
    // Only windows that are still loaded come back; one already gone stays gone.
    for (const QString& name : kBlocked)
        forms().setEnabled(name, true);
    hide();
    forms().unload(names::Information);
}

void AboutForm::ok_Click()
{
    int cancel = 0;
    Form_QueryUnload(cancel, FormControlMenu);
}

}  // namespace vintalem::ui
