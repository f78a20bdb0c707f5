#include "main_form.h"

#include "core/glyph_style.h"
#include "core/sequence.h"
#include "ui/codon_table/amino_acid_lookup.h"
#include "ui/form_names.h"
#include "ui/toolkit/toolkit.h"
#include "ui/toolkit/twips.h"

#include <QMenu>
#include <QMenuBar>
#include <QPointer>

namespace vintalem::ui {

namespace {
constexpr int kColumnLeft = 840;
constexpr int kColumnPitch = 360;
constexpr int column(int i) { return kColumnLeft + kColumnPitch * i; }

const QString kMessageTitle = QStringLiteral("Controllo dell'esattezza dati");
const QString kLengthMessage =
    QStringLiteral("Attenzione: controllare che in tutti i codoni siano presenti tre nucleotidi");
const QString kStopMessage = QStringLiteral(
    "Attenzione: ricordati che il DNA deve avere almeno un codone di stop affinchè la traduzione della proteina "
    "possa terminare");

const QColor kIncompleteCodon(255, 0, 0);
const QColor kCompleteCodon(0, 0, 0);

QString qstr(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }
QColor qcolor(Rgb c) { return QColor(c.r, c.g, c.b); }

using GlyphProcedure = void (MainForm::*)(int, Row);
constexpr std::array<GlyphProcedure, kAminoAcidCount> kGlyphProcedures{
    &MainForm::DrawAla, &MainForm::DrawCys, &MainForm::DrawAsp, &MainForm::DrawGlu, &MainForm::DrawPhe,
    &MainForm::DrawGly, &MainForm::DrawHis, &MainForm::DrawIle, &MainForm::DrawLys, &MainForm::DrawLeu,
    &MainForm::DrawMet, &MainForm::DrawAsn, &MainForm::DrawPro, &MainForm::DrawGln, &MainForm::DrawArg,
    &MainForm::DrawSer, &MainForm::DrawThr, &MainForm::DrawVal, &MainForm::DrawTrp, &MainForm::DrawTyr,
};

struct LegendShape {
    const char* name;
    Shape::Kind kind;
    int left, top, size;
    QRgb fill;
};
constexpr std::array<LegendShape, 8> kLegendShapes{{
    {"Shape1", Shape::Square, 120, 240, 255, 0xFFFFFF},
    {"Shape2", Shape::Circle, 1440, 240, 255, 0xFFFFFF},
    {"Shape6", Shape::Square, 2640, 240, 255, 0xFFFFFF},
    {"Shape7", Shape::Square, 3840, 240, 200, 0xFFFFFF},
    {"Shape8", Shape::Square, 5040, 240, 135, 0xFFFFFF},
    {"Shape3", Shape::Square, 6120, 240, 255, 0x00FF00},
    {"Shape4", Shape::Square, 7320, 240, 255, 0xFF0000},
    {"Shape5", Shape::Square, 8400, 240, 255, 0x0000FF},
}};

struct LegendLabel {
    const char* name;
    int left, top, width, height;
    const char* caption;
};
constexpr std::array<LegendLabel, 9> kLegendLabels{{
    {"Label8", 480, 240, 855, 255, "aa apolare"},
    {"Label7", 1800, 240, 735, 255, "aa polare"},
    {"Label9", 3000, 240, 735, 255, "aa grande"},
    {"Label10", 4200, 240, 735, 255, "aa medio"},
    {"Label11", 5280, 240, 735, 255, "aa piccolo"},
    {"Label5", 6480, 240, 735, 255, "aa basico"},
    {"Label4", 7680, 240, 615, 255, "aa acido"},
    {"Label6", 8760, 240, 735, 255, "aa neutro"},
    {"Label12", 8280, 0, 1215, 255, "aa = aminoacido"},
}};

const char* const kLegendText =
    "Un aminoacido può avere diverse caratteristiche: può essere polare o apolare (avere cioè più o meno affinità "
    "per l'acqua), avere dimensioni differenti, essere acido, neutro o basico (possedere, cioè, delle cariche sulla "
    "sua superficie). Tutto ciò determina in maniera significativa le funzionalità finali della proteina a cui "
    "appartiene. Cambiando all'interno della proteina un singolo aminoacido con caratteristiche differenti possiamo "
    "ottenere una proteina con una funzionalità leggermente o completamente diversa.";

Label* makeLabel(QWidget* parent, const char* name, const QString& caption, QRect twips)
{
    auto* label = new Label(caption, parent);
    label->setObjectName(QString::fromLatin1(name));
    placeTwips(label, twips.x(), twips.y(), twips.width(), twips.height());
    return label;
}
}  // namespace

MainForm::MainForm() : Form(names::zuvo, QStringLiteral("Vintalem"), 10470, 5385)
{
    setClosesOnEscape(false);
    buildMenus();
    buildRows();
    buildLegend();
    // When another window goes, the keyboard comes back here.
    connect(&forms(), &FormRegistry::formUnloaded, this, [this](const QString& name) {
        if (name != names::zuvo && !closing_ && isVisible() && isEnabled())
            activateWindow();
    });
}

MainForm::~MainForm() = default;

void MainForm::buildMenus()
{
    QMenuBar* bar = menuBar();
    QMenu* mnuFile = bar->addMenu(QStringLiteral("&File"));
    mnuFile->setObjectName(QStringLiteral("mnuFile"));
    Atabella = mnuFile->addAction(QStringLiteral("&Tabella degli Aminoacidi"), this, &MainForm::Atabella_Click);
    mnuFile->addSeparator();
    mnuExit = mnuFile->addAction(QStringLiteral("&Esci"), this, &MainForm::mnuExit_Click);
    QMenu* forminfo = bar->addMenu(QStringLiteral("&?"));
    forminfo->setObjectName(QStringLiteral("forminfo"));
    mnuInformations = forminfo->addAction(QStringLiteral("&Info su Vintalem"), this, &MainForm::mnuInformations_Click);
    Info = forminfo->addAction(QStringLiteral("&Come si gioca?"), this, &MainForm::Info_Click);
}

void MainForm::buildRows()
{
    QWidget* area = client();
    Label3 = makeLabel(area, "Label3",
                       QStringLiteral("Con questo gioco potrai vedere gli effetti che avranno sulla proteina le modifiche "
                                      "effettuate sul DNA da cui la proteina è codificata. Ma attenzione! Ricordati "
                                      "che, per poter essere letto, il DNA deve avere tre basi per ogni codone!"),
                       {840, 0, 9495, 495});
    DNA3 = makeLabel(area, "DNA3", QStringLiteral("DNA"), {120, 600, 615, 255});
    Label1 = makeLabel(area, "Label1", QStringLiteral("RNA"), {120, 1080, 615, 255});
    Label13 = makeLabel(area, "Label13", QStringLiteral("Proteina"), {120, 1560, 735, 255});
    for (Label* caption : {DNA3, Label1, Label13})
        caption->setFontBold(true);

    for (int i = 0; i < kSlots; ++i) {
        const int left = column(i);
        const QString number = QString::number(i + 1);

        auto* codon = new TextBox(area);
        codon->setObjectName(QStringLiteral("nt(%1)").arg(i));
        codon->setMaxLength(3);
        codon->setTextMargins(0, 0, 0, 0);
        codon->setAccessibleName(QStringLiteral("Codone di DNA %1").arg(number));
        placeTwips(codon, left, 600, 375, 285);
        codon->setKeyPress([this, i](int& keyAscii) { nt_KeyPress(i, keyAscii); });
        connect(codon, &QLineEdit::textChanged, this, [this, i] { nt_Change(i); });
        nt[i] = codon;

        auto* rna = new QLineEdit(area);
        rna->setObjectName(QStringLiteral("RNA(%1)").arg(i));
        rna->setReadOnly(true);
        rna->setFocusPolicy(Qt::ClickFocus);  // out of the Tab order
        rna->setTextMargins(0, 0, 0, 0);
        rna->setAccessibleName(QStringLiteral("Codone di RNA %1").arg(number));
        placeTwips(rna, left, 1080, 375, 285);
        RNA[i] = rna;

        // The glyph box and its caption, in the protein row and then in the replaced one.
        for (const Row row : {Row::New, Row::Old}) {
            const bool old = row == Row::Old;
            auto* glyph = new PictureBox(area);
            glyph->setObjectName(QString::fromLatin1(old ? "OldAA(%1)" : "AA(%1)").arg(i));
            glyph->setAccessibleName(
                (old ? QStringLiteral("Aminoacido sostituito %1") : QStringLiteral("Aminoacido %1")).arg(number));
            placeTwips(glyph, left, old ? 2760 : 1560, 375, 375);
            connect(glyph, &PictureBox::clicked, this, [this, i, old] { old ? OldAA_Click(i) : AA_Click(i); });
            Label* caption = makeLabel(area, old ? "OldAaName" : "naame", {}, {left, old ? 3240 : 2040, 375, 255});
            caption->setObjectName(QString::fromLatin1(old ? "OldAaName(%1)" : "naame(%1)").arg(i));
            glyph->setCaptionLabel(caption);
            (old ? OldAA : AA)[i] = glyph;
            (old ? OldAaName : naame)[i] = caption;
        }
    }
    ChnSeq = new QPushButton(QStringLiteral("Cambia sequenza"), area);
    ChnSeq->setObjectName(QStringLiteral("ChnSeq"));
    placeTwips(ChnSeq, 8880, 480, 1455, 375);
    connect(ChnSeq, &QPushButton::clicked, this, &MainForm::ChnSeq_Click);

    CodProt = new QPushButton(QStringLiteral("Codifica proteina"), area);
    CodProt->setObjectName(QStringLiteral("CodProt"));
    placeTwips(CodProt, 8880, 1080, 1455, 375);
    connect(CodProt, &QPushButton::clicked, this, &MainForm::CodProt_Click);
    // Codon boxes left to right, the buttons, then the protein and the replaced amino acids
    // in reading order; empty glyph boxes take no focus.
    std::vector<QWidget*> tabOrder(nt.begin(), nt.end());
    tabOrder.insert(tabOrder.end(), {ChnSeq, CodProt});
    for (const auto* row : {&AA, &OldAA})
        tabOrder.insert(tabOrder.end(), row->begin(), row->end());
    setTabOrderOf(tabOrder);

    Label15 = makeLabel(area, "Label15",
                        QStringLiteral("Le mutazioni che hai fatto non cambiano gli aminoacidi codificati"),
                        {840, 2280, 2415, 495});
    Label15->hide();
    Label15->setAnnounced(true);
    Label14 = makeLabel(area, "Label14", QStringLiteral("Questi sono gli aminoacidi sostituiti:"),
                        {3360, 2400, 2535, 375});
    Label14->hide();
}

void MainForm::buildLegend()
{
    legend = new Frame(QStringLiteral("Legenda"), client());
    legend->setObjectName(QStringLiteral("legend"));
    placeTwips(legend, 720, 3720, 9615, 1575);
    for (const LegendShape& s : kLegendShapes) {
        auto* shape = new Shape(s.kind, QColor::fromRgb(s.fill), legend);
        shape->setObjectName(QString::fromLatin1(s.name));
        placeTwips(shape, s.left, s.top, s.size, s.size);
    }
    for (const LegendLabel& l : kLegendLabels)
        makeLabel(legend, l.name, QString::fromUtf8(l.caption), {l.left, l.top, l.width, l.height});
    Label2 = makeLabel(legend, "Label2", QString::fromUtf8(kLegendText), {120, 600, 9375, 855});
}

void MainForm::Form_Load()
{
    // Shown without the keyboard, which belongs to the main window and its first codon box.
    forms().show(names::Atab, false);
    GenerateSequence();
    nt[0]->setFocus();
}

void MainForm::Form_QueryUnload(int& /*Cancel*/, int /*UnloadMode*/)
{
    closing_ = true;
    for (const QString& name :
         {names::mutazioni, names::zuvo, names::Information, names::InformazsuVintalem, names::Atab})
        forms().unload(name);
}

void MainForm::mnuExit_Click()
{
    int cancel = 0;
    Form_QueryUnload(cancel, FormControlMenu);
}

void MainForm::Atabella_Click() { forms().show(names::Atab); }
void MainForm::mnuInformations_Click() { forms().show(names::Information); }
void MainForm::Info_Click() { forms().show(names::InformazsuVintalem); }

void MainForm::GenerateSequence()
{
    ReferenceSequence.clear();
    for (int i = 0; i < kSlots; ++i)
        ClearProteinSlot(i);
    const CodonTexts codons = drawSequence(randomSource());
    for (int k = 0; k < kSlots; ++k) {
        nt[k]->setText(qstr(codons[k]));
        ReferenceSequence += codons[k];
    }
}

void MainForm::ClearProteinSlot(int i) { clearSlot(i, Row::New); }

void MainForm::clearSlot(int slot, Row isOld)
{
    glyphBox(slot, isOld)->Cls();
    glyphBox(slot, isOld)->setToolTip(QString());
    nameLabel(slot, isOld)->setText(QString());
    updateGlyphFocus(slot, isOld);
}

// Only a box that shows an amino acid or a stop is a Tab stop: there is nothing to look up in an empty one.
void MainForm::updateGlyphFocus(int slot, Row isOld)
{
    glyphBox(slot, isOld)->setFocusPolicy(nameLabel(slot, isOld)->text().isEmpty() ? Qt::NoFocus : Qt::TabFocus);
}

void MainForm::ChnSeq_Click()
{
    GenerateSequence();
    Label14->hide();
    for (int i = 0; i < kSlots; ++i) {
        RNA[i]->setText(QString());
        clearSlot(i, Row::Old);
    }
    previousRow_ = {};
}

void MainForm::nt_KeyPress(int /*Index*/, int& KeyAscii) { KeyAscii = codonBoxKey(KeyAscii); }

void MainForm::nt_Change(int Index)
{
    const bool whole = characterCount(nt[Index]->text().toStdString()) == kCodonLength;
    nt[Index]->setForeColor(whole ? kCompleteCodon : kIncompleteCodon);
}

void MainForm::AA_Click(int Index) { lookUp(naame[Index]->text()); }
void MainForm::OldAA_Click(int Index) { lookUp(OldAaName[Index]->text()); }

// There is nothing to look up under an empty glyph box.
void MainForm::lookUp(const QString& code)
{
    if (code.isEmpty())
        return;
    if (auto* table = dynamic_cast<AminoAcidLookup*>(forms().load(names::Atab)))
        table->Which(code, Coming::FromMainWindow);
}

void MainForm::DecodeCodon(int slot, Row isOld, Outcome outcome)
{
    if (!outcome)
        return;  // no match: the slot keeps what it showed
    if (*outcome != AminoAcidId::Stop) {
        (this->*kGlyphProcedures[static_cast<std::size_t>(*outcome)])(slot, isOld);
        return;
    }
    glyphBox(slot, isOld)->setToolTip(qstr(kStopTooltip));
    nameLabel(slot, isOld)->setText(qstr(entry(AminoAcidId::Stop).code));
    updateGlyphFocus(slot, isOld);
}

void MainForm::PrepareGlyphBox(int slot, Row isOld)
{
    const ChainLine line = chainLine(static_cast<float>(client()->width()), static_cast<float>(client()->height()));
    glyphBox(slot, isOld)->drawLine({line.x1, line.y1}, {line.x2, line.y2});
}

void MainForm::DrawGlyph(AminoAcidId aminoAcid, int slot, Row isOld)
{
    PrepareGlyphBox(slot, isOld);
    PictureBox* box = glyphBox(slot, isOld);
    const GlyphGeometry g =
        glyphGeometry(aminoAcid, static_cast<float>(client()->width()), static_cast<float>(client()->height()));
    box->setFillColor(qcolor(g.fill));
    if (g.shape == GlyphShape::Square)
        box->drawBox({g.x1, g.y1}, {g.x2, g.y2});
    else
        box->drawCircle({g.x1, g.y1}, g.radius);
    box->setToolTip(qstr(entry(aminoAcid).italianName));
    nameLabel(slot, isOld)->setText(qstr(entry(aminoAcid).code));
    updateGlyphFocus(slot, isOld);
}

void MainForm::CodProt_Click()
{
    CodonTexts texts;
    for (int i = 0; i < kSlots; ++i)
        texts[i] = nt[i]->text().toStdString();
    const CodingRunResult run = runCoding(texts, ReferenceSequence);

    if (run.firstBadLength) {
        messages().show(kLengthMessage, kMessageTitle);
        return;
    }
    const CodingReport report = runReport(run, previousRow_);

    for (int i = 0; i < kSlots; ++i) {
        if (run.changes[i].changed) {
            DecodeCodon(i, Row::Old, run.changes[i].previous);
        } else {
            clearSlot(i, Row::Old);
        }
        RNA[i]->setText(qstr(run.rna[i]));
        ClearProteinSlot(i);
    }

    TranslateRna(run, report);
}

void MainForm::CheckStopCodon(const CodingRunResult& run, std::function<void()> then)
{
    if (!run.stopWarning) {
        then();
        return;
    }
    QPointer<MainForm> self(this);
    // The run goes on once the warning is closed, which in a browser is after this returns.
    messages().show(kStopMessage, kMessageTitle, [self, then = std::move(then)] {
        // The program may have been closed while the message was up.
        if (self && forms().find(names::zuvo) == self)
            then();
    });
}

void MainForm::TranslateRna(const CodingRunResult& run, const CodingReport& report)
{
    CheckStopCodon(run, [this, run, report] {
        // The core already left every slot empty without a start, and after the first stop.
        for (int i = 0; i < kSlots; ++i)
            DecodeCodon(i, Row::New, run.outcomes[i]);
        Report(report);
    });
}

void MainForm::Report(const CodingReport& report)
{
    // A loaded explanation window is always a shown one: closing it unloads it.
    // The keyboard stays here, where the player goes on playing.
    if (!forms().isVisible(names::mutazioni))
        forms().show(names::mutazioni, false);

    for (int i = 1; i < kSlots; ++i) {
        if (report.tidied[static_cast<std::size_t>(i)])
            clearSlot(i, Row::Old);
    }
    previousRow_ = report.previous;
    silentMutation_ = report.silentMutation;
    Label14->setVisible(report.showHeading);

    // The note stays up 2 seconds after the last run that showed it, with the window
    // fully responsive; a later run that replaced something hides it at once.
    if (silentMutation_) {
        Label15->show();
        noteAlarm_ = clock().after(kNoteSeconds, [this] { Label15->hide(); });
    } else {
        noteAlarm_.reset();
        Label15->hide();
    }
}

}  // namespace vintalem::ui
