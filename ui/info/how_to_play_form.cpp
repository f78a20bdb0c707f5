#include "how_to_play_form.h"

#include "ui/form_names.h"
#include "ui/toolkit/twips.h"

#include <QFontMetricsF>
#include <QPainter>

namespace vintalem::ui {

namespace {
class Underlines final : public QWidget {
public:
    Underlines(const std::array<QLineF, HowToPlayForm::kTerms>& lines, QWidget* parent)
        : QWidget(parent), lines_(lines)
    {
        setAttribute(Qt::WA_TransparentForMouseEvents);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.setPen(QPen(palette().color(QPalette::WindowText), 1));
        for (const QLineF& line : lines_)
            p.drawLine(line.translated(0.5, 0.5));
    }

private:
    const std::array<QLineF, HowToPlayForm::kTerms>& lines_;
};

const QString kBreak = QStringLiteral("\n");
const QString kEmptyLine = QStringLiteral("\n\n");
}  // namespace

HowToPlayForm::HowToPlayForm()
    : Form(names::InformazsuVintalem, QStringLiteral("Come funziona il programma?"), 5475, 5370)
{
    fnz = new Label(QString(), client());
    fnz->setObjectName(QStringLiteral("fnz"));
    placeTwips(fnz, 0, 0, 5415, 5295);
    lines_ = new Underlines(underlines_, client());
    lines_->setGeometry(client()->rect());
}

const std::array<QString, HowToPlayForm::kTerms>& HowToPlayForm::glossaryTerms()
{
    static const std::array<QString, kTerms> terms{QStringLiteral("Aminoacido"), QStringLiteral("Tripletta"),
                                                   QStringLiteral("Codice genetico"),
                                                   QStringLiteral("Degenerazione del codice genetico")};
    return terms;
}

QString HowToPlayForm::howToPlayText()
{
    QString text = kBreak;
    text += QStringLiteral("Il programma vi permette di modificare la sequenza nucleotidica (a, c, t o g) che il "
                           "computer vi fornisce.");
    text += kEmptyLine;
    text += QStringLiteral(
        "Mutate la sequenza che il computer vi fornisce e vedrete come, modificando una o più basi, anche la proteina "
        "che viene codificata (premendo 'Codifica proteina') verrà cambiata. In questo modo potrete osservare come "
        "alcune modificazioni portino alla sintesi di una proteina con aminoacidi completamente diversi da quelli "
        "prima presenti, mentre altri avranno solo qualche piccola differenza... ma potrebbero anche non cambiare!");
    text += kEmptyLine;
    text += QStringLiteral("Ecco una spiegazione divertente ed efficace della degenerazione del codice genetico.");
    text += kEmptyLine;
    text += QStringLiteral("Prova anche a cliccare sull'immagine dell'aminoacido e vedrai quanti codoni (le tre basi "
                           "dell'RNA) codificano per quell'aminoacido.");
    text += kBreak;
    text += QStringLiteral("Buon divertimento.");
    text += kEmptyLine;
    text += QStringLiteral("Aminoacido = unità fondamentale per costruire le proteine");
    return text;
}

void HowToPlayForm::Form_Load()
{
    fnz->setText(howToPlayText());
    fnz->setText(fnz->text() + kEmptyLine + QStringLiteral("Tripletta = insieme di tre basi vicine in un RNA o nel DNA") +
                 kEmptyLine +
                 QStringLiteral("Codice genetico = codice in cui è contenuto il messaggio per la costruzione delle "
                                "proteine. E' formato da  triplette coificanti ognuna un aminoacido") +
                 kEmptyLine +
                 QStringLiteral("Degenerazione del codice genetico = più triplette codificano uno stesso aminoacido"));
    placeUnderlines();
}

// Each term starts a line of its own; find that line as the label's font lays the text out.
void HowToPlayForm::placeUnderlines()
{
    const QFontMetricsF metrics(fnz->font());
    const QString text = fnz->text();
    const QRectF area(0, 0, fnz->width(), 100000);
    int from = 0;
    for (int t = 0; t < kTerms; ++t) {
        const QString& term = glossaryTerms()[t];
        const int at = text.indexOf(kBreak + term + QStringLiteral(" ="), from) + 1;
        from = at;
        const qreal bottom =
            metrics.boundingRect(area, Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop, text.left(at) + term).height();
        const qreal baseline = bottom - metrics.descent();
        const qreal y = fnz->y() + std::round(baseline + std::max<qreal>(1, metrics.underlinePos()));
        underlines_[t] = QLineF(fnz->x(), y, fnz->x() + metrics.horizontalAdvance(term), y);
    }
    lines_->update();
}

}  // namespace vintalem::ui
