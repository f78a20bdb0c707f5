#include "mutation_form.h"

#include "ui/form_names.h"
#include "ui/toolkit/twips.h"

#include <QFontMetricsF>

namespace vintalem::ui {

namespace {
struct Paragraph {
    const char* text;
    int tabsAfter;
};

// The paragraphs are set apart only by runs of tabs; the box wraps them at word boundaries.
constexpr Paragraph kParagraphs[] = {
    {"La mutazione è un'alterazione ereditabile nella sequenza delle basi del DNA.", 5},
    {"Può essere indotta da vari agenti fisici (radiazioni, temperature elevate) e chimici (farmaci, sostanze "
     "tossiche).",
     2},
    {"Talvolta non ha effetti visibili mentre nella maggior parte dei casi le mutazioni provocano delle alterazioni "
     "tali da non essere compatibili con la vita.",
     4},
    {"In rari casi, però, la mutazione nel DNA può riflettersi nella produzione di proteine più efficienti e che "
     "quindi conferiscono un vantaggio selettivo alla cellula che le produce, che dopo un certo numero di divisioni "
     "rimpiazza il tipo cellulare parentale.",
     5},
    {"Questo vantaggio è in realtà strettamente dipendente dall'ambiente in cui si trova la cellula, in cui devono "
     "trovarsi dei fattori che favoriscono la vita delle cellule e degli organismi che portano la mutazione, "
     "altrimenti questa verrà persa nelle generazioni successive.",
     3},
    {"Per esempio in presenza di antibiotici specifici i batteri normalmente muoiono, ma in alcuni casi, molto rari, "
     "nel DNA di uno dei batteri può verificarsi una mutazione che lo rende resistente alla mutazione, per esempio "
     "modificando il bersaglio dell'antibiotico in modo che non possa più essere riconosciuto da questo.",
     5},
    {"L'antibiotico somministrato dall'esterno permetterà solo ai batteri che presentano una mutazione di "
     "moltiplicarsi, in quanto gli altri non saranno in grado di sopravvivere. In questo modo l'antibiotico opera "
     "una selezione, che non avverrebbe in sua assenza.",
     5},
    {"Quindi l'acquisizione di un carattere genetico particolare, come la resistenza ad un antibiotico, deriva da "
     "una parte da un evento casuale, l'insorgenza di una mutazione che conferisce delle caratteristiche positive "
     "per la sopravvivenza, e dall'altra dalla presenza nell'ambiente di un agente selezionante.",
     5},
    {"La mutazione può insorgere anche in assenza di un agente selezionante, ma in questo caso gli individui "
     "portatori non otterranno nessun vantaggio selettivo e non si moltiplicheranno in maniera predominante, anzi "
     "potrebbero avere addirittura uno svantaggio selettivo.",
     3},
    {"Per esempio la presenza della mutazione che causa la talassemia o malattia mediterranea conferisce una "
     "resistenza alla malaria.",
     5},
    {"Pertanto gli individui portatori della malattia, che possiedono pertanto sia il gene che codifica per una "
     "proteina mutata che quello che codifica per la proteina funzionante e quindi non presentano la malattia ma "
     "sono in grado di trasmetterla ai figli, in passato hanno avuto un vantaggio selettivo nei luoghi in cui era "
     "diffusa la malaria, portando all'attuale elevata diffusione di questo tratto genetico nella popolazione "
     "italiana.",
     5},
    {"In assenza dell'agente di questa malattia questi individui vanno incontro ad uno svantaggio riproduttivo, "
     "perché possono dar luogo a bambini affetti dalla malattia, cioè che producono solo la proteina difettiva, "
     "pertanto il numero degli individui con questa mutazione nella popolazione italiana è in diminuzione.",
     9},
    {"Fonte: Elena Marchetti e Davide Santoro", 0},
};
}  // namespace

MutationForm::MutationForm() : Form(names::mutazioni, QStringLiteral("mutazioni"), 4680, 3195)
{
    explanation = new QPlainTextEdit(client());
    explanation->setObjectName(QStringLiteral("explanation"));
    explanation->setAccessibleName(QStringLiteral("Spiegazione delle mutazioni"));
    explanation->setReadOnly(true);
    // Read-only, yet with a caret the keyboard moves, so that it can be read word by word.
    explanation->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    explanation->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    explanation->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    explanation->setWordWrapMode(QTextOption::WordWrap);
    // Tab stops every eight average characters, as a classic edit control sets them.
    explanation->setTabStopDistance(8 * QFontMetricsF(font()).averageCharWidth());
    placeTwips(explanation, 0, 0, 4575, 3135);
}

void MutationForm::Form_Load()
{
    explanation->setPlainText(explanationText());
}

QString MutationForm::explanationText()
{
    QString text(QLatin1Char('\t'));
    for (const Paragraph& p : kParagraphs)
        text += QString::fromUtf8(p.text) + QString(p.tabsAfter, QLatin1Char('\t'));
    return text;
}

}  // namespace vintalem::ui
