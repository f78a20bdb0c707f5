#include "codon_table_form.h"

#include "core/codon_table.h"
#include "ui/form_names.h"
#include "ui/toolkit/form_registry.h"
#include "ui/toolkit/twips.h"

#include <QKeyEvent>
#include <QPainter>
#include <QStaticText>

namespace vintalem::ui {

namespace {
struct GridLine {
    int x1, y1, x2, y2;  // twips
};
constexpr std::array<GridLine, 12> kGridLines{{
    {240, 240, 4920, 240},  // Line2
    {240, 4320, 4920, 4320},  // Line8
    {240, 240, 240, 4320},  // Line3
    {4920, 4320, 4920, 240},  // Line9
    {240, 480, 4920, 480},  // Line1
    {600, 240, 600, 4320},  // Line4
    {1680, 240, 1680, 4320},  // Line12
    {2760, 240, 2760, 4320},  // Line11
    {3840, 240, 3840, 4320},  // Line10
    {240, 1440, 4920, 1440},  // Line5
    {240, 2400, 4920, 2400},  // Line6
    {240, 3360, 4920, 3360},  // Line7
}};

constexpr int cellLeft(int i) { return 1080 + 1080 * (i / 16); }
constexpr int cellTop(int i) { return 480 + 960 * ((i / 4) % 4) + 240 * (i % 4); }

const QColor kMagenta(255, 0, 255);
const QColor kYellow(255, 255, 0);
constexpr QRgb kFirstBase = 0x00C000;
constexpr QRgb kSecondBase = 0xC00000;
constexpr QRgb kThirdBase = 0x0000C0;
const QString kBases = QStringLiteral("ACGU");

constexpr std::array<CodonTableForm::BaseLetter, 72> makeBaseLetters()
{
    constexpr char bases[] = "ACGU";
    std::array<CodonTableForm::BaseLetter, 72> letters{};
    for (int f = 0; f < 4; ++f)
        letters[f] = {bases[f], 1080 + 1080 * f, 240, kFirstBase};
    for (int s = 0; s < 4; ++s)
        letters[4 + s] = {bases[s], 360, 840 + 960 * s, kSecondBase};
    for (int i = 0; i < CodonTableForm::kCells; ++i)
        letters[8 + i] = {bases[i % 4], 720 + 1080 * (i / 16), cellTop(i), kThirdBase};
    return letters;
}
constexpr std::array<CodonTableForm::BaseLetter, 72> kBaseLetters = makeBaseLetters();

QString qstr(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

// The twelve lines of the grid and the 72 base letters: all of it static, so one
// widget paints it instead of a label per letter.
class GridLines final : public QWidget {
public:
    explicit GridLines(QWidget* parent) : QWidget(parent), letterFont_(font())
    {
        letterFont_.setBold(true);
        setAttribute(Qt::WA_TransparentForMouseEvents);
        for (std::size_t b = 0; b < captions_.size(); ++b) {
            captions_[b].setText(QString(kBases[static_cast<qsizetype>(b)]));
            captions_[b].setTextFormat(Qt::PlainText);
        }
    }

protected:
    void paintEvent(QPaintEvent* event) override
    {
        QPainter p(this);
        p.save();
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(1.0 / kTwipsPerPixel, 1.0 / kTwipsPerPixel);
        p.setPen(QPen(palette().color(QPalette::WindowText), kTwipsPerPixel, Qt::SolidLine, Qt::SquareCap));
        // Centre the pen on the pixel the line belongs to, so it stays one sharp pixel wide.
        p.translate(kTwipsPerPixel / 2.0, kTwipsPerPixel / 2.0);
        for (const auto& l : kGridLines)
            p.drawLine(QPointF(l.x1, l.y1), QPointF(l.x2, l.y2));
        p.restore();

        // Drawn as a label draws its caption, so they look the same; a disabled window greys them.
        p.setFont(letterFont_);
        const QRegion& dirty = event->region();
        const QColor disabled = palette().color(QPalette::Disabled, QPalette::WindowText);
        for (const auto& letter : kBaseLetters) {
            const QRect r =
                twipsRect(letter.left, letter.top, CodonTableForm::kLetterWidth, CodonTableForm::kLetterHeight);
            if (!dirty.intersects(r))
                continue;
            p.setPen(isEnabled() ? QColor::fromRgb(letter.colour) : disabled);
            // Laid out once per base, not once per letter: a layout costs more than its drawing.
            const auto base = static_cast<std::size_t>(kBases.indexOf(QLatin1Char(letter.caption)));
            p.drawStaticText(r.topLeft(), captions_[base]);
        }
    }

private:
    QFont letterFont_;
    std::array<QStaticText, 4> captions_;
};
}  // namespace

const std::array<CodonTableForm::BaseLetter, 72>& CodonTableForm::baseLetters() { return kBaseLetters; }

CodonTableForm::CodonTableForm() : Form(names::Atab, QStringLiteral("Tabella degli Aminoacidi"), 6600, 5010)
{
    QWidget* area = client();
    auto* lines = new GridLines(area);
    lines->setGeometry(area->rect());

    for (int i = 0; i < kCells; ++i) {
        auto* cell = new Label(qstr(entry(outcomeOfCell(static_cast<std::size_t>(i))).code), area);
        cell->setObjectName(QStringLiteral("aminoacido(%1)").arg(i));
        const auto codon = codonOfCell(static_cast<std::size_t>(i));
        cell->setAccessibleName(QString::fromLatin1(codon.data(), 3));
        cell->setMarkedDescription(QStringLiteral("evidenziato"));
        placeTwips(cell, cellLeft(i), cellTop(i), 375, 255);
        connect(cell, &Label::clicked, this, [this, i] { aminoacido_Click(i); });
        // The grid is one Tab stop, the cell last visited; the arrow keys move within it.
        cell->installEventFilter(this);
        aminoacido[i] = cell;
    }

    Label73 = new Label(QStringLiteral("Scegli l'aminoacido che vuoi codificare:"), area);
    Label73->setObjectName(QStringLiteral("Label73"));
    placeTwips(Label73, 5040, 240, 1455, 495);

    Codoni = new QPlainTextEdit(area);
    Codoni->setObjectName(QStringLiteral("Codoni"));
    Codoni->setAccessibleName(QStringLiteral("Colori delle basi"));
    Codoni->setReadOnly(true);
    Codoni->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Codoni->setBackgroundRole(QPalette::Button);
    {
        QPalette p = Codoni->palette();
        p.setColor(QPalette::Base, p.color(QPalette::Button));
        Codoni->setPalette(p);
    }
    placeTwips(Codoni, 240, 4440, 4695, 495);

    AaList = new ListBox(area);
    AaList->setObjectName(QStringLiteral("AaList"));
    AaList->setAccessibleName(QStringLiteral("Aminoacido"));
    AaList->setSelectionMode(QAbstractItemView::SingleSelection);
    AaList->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    AaList->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    connect(AaList, &ListBox::mouseUp, this, &CodonTableForm::AaList_MouseUp);
    connect(AaList, &ListBox::chosenByKey, this, [this] { AaList_MouseUp(0, 0, 0, 0); });
    placeTwips(AaList, 5040, 840, 1455, 255);

    Label75 = new Label(QStringLiteral("I codoni di RNA che codificano per l'aminoacido sono:"), area);
    Label75->setObjectName(QStringLiteral("Label75"));
    placeTwips(Label75, 5040, 1320, 1455, 615);
    Label75->hide();

    Label74 = new Label(QString(), area);
    Label74->setObjectName(QStringLiteral("Label74"));
    placeTwips(Label74, 5040, 2160, 1455, 495);
    // The codon list is a Tab stop once it lists something, between the list and the grid.
    Label74->setAccessibleName(QStringLiteral("Codoni di RNA"));
    std::vector<QWidget*> tabOrder{Codoni, AaList, Label74};
    tabOrder.insert(tabOrder.end(), aminoacido.begin(), aminoacido.end());
    setTabOrderOf(tabOrder);
    Codoni->setFocus();  // where the keyboard lands when the window comes up, first in the Tab order
    aminoacido[0]->setFocusPolicy(Qt::TabFocus);
}

bool CodonTableForm::eventFilter(QObject* watched, QEvent* event)
{
    const auto it = std::find(aminoacido.begin(), aminoacido.end(), watched);
    if (it == aminoacido.end())
        return Form::eventFilter(watched, event);
    const int i = static_cast<int>(it - aminoacido.begin());
    if (event->type() == QEvent::FocusIn) {
        for (Label* cell : aminoacido)
            cell->setFocusPolicy(cell == *it ? Qt::TabFocus : Qt::NoFocus);
    } else if (event->type() == QEvent::KeyPress) {
        // Columns hold the first base, rows the second and third: up and down move by a row.
        const auto* key = static_cast<QKeyEvent*>(event);
        int next = -1;
        switch (key->key()) {
        case Qt::Key_Up: next = i % 16 > 0 ? i - 1 : -1; break;
        case Qt::Key_Down: next = i % 16 < 15 ? i + 1 : -1; break;
        case Qt::Key_Left: next = i >= 16 ? i - 16 : -1; break;
        case Qt::Key_Right: next = i < kCells - 16 ? i + 16 : -1; break;
        default: return false;
        }
        if (next >= 0)
            aminoacido[next]->setFocus(Qt::OtherFocusReason);
        return true;
    }
    return false;
}

void CodonTableForm::Form_Load()
{
    Codoni->setPlainText(QStringLiteral(
        "La lettera in verde è la prima base del codone, quella in rosso è la seconda, mentre quella in blu è la terza "
        "ed ultima. Ricordate: il codone è la tripletta di basi azotate dell'RNA che codifica un singolo "
        "aminoacido."));
    for (AminoAcidId id : kListOrder)
        AaList->addItem(qstr(entry(id).italianName));
    AaList->setCurrentRow(-1);
    // One entry high: each entry fills the list's inside, so scrolling moves by whole entries.
    const int entryHeight = AaList->contentsRect().height();
    for (int row = 0; row < AaList->count(); ++row)
        AaList->item(row)->setSizeHint(QSize(0, entryHeight));
}

void CodonTableForm::AaList_MouseUp(int /*Button*/, int /*Shift*/, int /*X*/, int /*Y*/)
{
    const QListWidgetItem* item = AaList->currentItem();
    const int p = item && item->isSelected() ? AaList->currentRow() : -1;
    if (p >= 0 && p < static_cast<int>(kEntryCount))
        SelectedCode = qstr(entry(byListIndex(static_cast<std::size_t>(p))).code);
    const QString code = SelectedCode;
    Which(code, Coming::FromThisWindow);
    ListCodons(code);
}

void CodonTableForm::aminoacido_Click(int Index)
{
    const QString code = aminoacido[Index]->text();
    ListCodons(code);
    Which(code, Coming::FromThisWindow);
    AaList->setCurrentRow(ListPositionOf(Index));
    AaList->scrollToItem(AaList->currentItem());
}

void CodonTableForm::Which(const QString& AA, Coming coming)
{
    forms().show(names::Atab);
    ClearHighlight();
    for (const std::size_t i : cellsOf(AA.toStdString())) {
        Label* cell = aminoacido[i];
        if (coming != Coming::FromMainWindow) {
            cell->setForeColor(kMagenta);
        } else {
            cell->setForeColor(kYellow);
            AaList->setCurrentRow(ListPositionOf(static_cast<int>(i)));
            AaList->scrollToItem(AaList->currentItem());
        }
        cell->setFontBold(true);
        cell->setMarked(true);
    }
}

void CodonTableForm::ClearHighlight()
{
    const QColor buttonText = palette().color(QPalette::ButtonText);
    for (Label* cell : aminoacido) {
        cell->setFontBold(false);
        cell->setForeColor(buttonText);
        cell->setMarked(false);
    }
}

int CodonTableForm::ListPositionOf(int cell) const
{
    return static_cast<int>(listIndexOf(outcomeOfCell(static_cast<std::size_t>(cell))));
}

void CodonTableForm::ListCodons(const QString& code)
{
    QString codons;
    for (const std::size_t i : cellsOf(code.toStdString())) {
        const auto codon = codonOfCell(i);
        codons += QLatin1Char(' ') + QString::fromLatin1(codon.data(), codon.size());
    }
    Label74->setText(codons);
    Label74->setFocusPolicy(codons.isEmpty() ? Qt::NoFocus : Qt::TabFocus);
    Label75->show();
}

}  // namespace vintalem::ui
