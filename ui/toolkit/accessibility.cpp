#include "accessibility.h"

#include "controls.h"
#include "form.h"

#include <QAbstractTextDocumentLayout>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QTextBlock>
#include <QTextBoundaryFinder>
#include <QTextLayout>

#include <algorithm>
#include <vector>

namespace vintalem::ui {

namespace {
// Qt's own text interfaces fail a screen reader: 6.4's loop for ever on the word or line at
// the end of a one-line box and give multi-line boxes' word or line at an offset for the one
// before or after it; 6.8's still answer ranges that do not hold the offset, and "after"
// ranges that start before the current one ends. Both kinds get an interface of their own
// unless the build asks for Qt's, to check a newer Qt (tst_accessibility asks every question).
#ifndef VINTALEM_QT_TEXT_ACCESSIBILITY

// The piece of text a screen reader asks for: the character, word, sentence, line or
// paragraph at, before or after an offset. `lines` and `paragraphs` are the offsets at
// which lines and paragraphs start; the first is 0. Offsets run 0..text.size(); at the
// end of the text, "at" is the last item (the word or line the caret ends), except for
// characters. A piece that does not exist is empty, at offset 0 before the text and at
// its end after it; an offset outside the text gives an empty piece at -1.
struct TextPiece {
    QString text;
    int start = -1;
    int end = -1;
};
enum class Relation { Before, At, After };

// Where the items of a kind start, from 0 up to and including the end of the text. The
// finder moves strictly forward, so the loop ends even where the toolkit's own does not.
std::vector<int> boundaries(const QString& text, QTextBoundaryFinder::BoundaryType type)
{
    const int n = static_cast<int>(text.size());
    std::vector<int> cuts{0};
    QTextBoundaryFinder finder(type, text);
    for (qsizetype p = finder.toNextBoundary(); p > cuts.back() && p <= n; p = finder.toNextBoundary()) {
        // Between a space and a comma there is a boundary, but no word starts or ends there.
        const auto reasons = finder.boundaryReasons();
        if (type == QTextBoundaryFinder::Word && p < n
            && !(reasons & (QTextBoundaryFinder::StartOfItem | QTextBoundaryFinder::EndOfItem)))
            continue;
        cuts.push_back(static_cast<int>(p));
    }
    if (cuts.back() != n)
        cuts.push_back(n);
    return cuts;
}

std::vector<int> withEnd(std::vector<int> starts, int n)
{
    std::erase_if(starts, [n](int s) { return s <= 0 || s >= n; });
    starts.insert(starts.begin(), 0);
    starts.push_back(n);
    std::sort(starts.begin(), starts.end());
    starts.erase(std::unique(starts.begin(), starts.end()), starts.end());
    return starts;
}

TextPiece textPiece(const QString& text, int offset, QAccessible::TextBoundaryType boundary, Relation relation,
                    const std::vector<int>& lines, const std::vector<int>& paragraphs)
{
    const int n = static_cast<int>(text.size());
    if (offset < 0 || offset > n)
        return {};
    if (n == 0)
        return {QString(), 0, 0};
    std::vector<int> cuts;
    switch (boundary) {
    case QAccessible::CharBoundary: cuts = boundaries(text, QTextBoundaryFinder::Grapheme); break;
    case QAccessible::WordBoundary: cuts = boundaries(text, QTextBoundaryFinder::Word); break;
    case QAccessible::SentenceBoundary: cuts = boundaries(text, QTextBoundaryFinder::Sentence); break;
    case QAccessible::LineBoundary: cuts = withEnd(lines, n); break;
    case QAccessible::ParagraphBoundary: cuts = withEnd(paragraphs, n); break;
    case QAccessible::NoBoundary: cuts = {0, n}; break;
    }
    // cuts[k] <= offset < cuts[k + 1]; at the end, the item that ends there, or none for characters.
    const int items = static_cast<int>(cuts.size()) - 1;
    int k = static_cast<int>(std::upper_bound(cuts.begin(), cuts.end(), offset) - cuts.begin()) - 1;
    if (offset == n)
        k = boundary == QAccessible::CharBoundary ? items : items - 1;
    const int wanted = relation == Relation::Before ? k - 1 : relation == Relation::At ? k : k + 1;
    if (wanted < 0)
        return {QString(), 0, 0};
    if (wanted >= items)
        return {QString(), n, n};
    const int start = cuts[static_cast<std::size_t>(wanted)];
    const int end = cuts[static_cast<std::size_t>(wanted) + 1];
    return {text.mid(start, end - start), start, end};
}

// The text interface both kinds of text box share; each says how it holds its text.
class TextBoxAccessibleBase : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    using QAccessibleWidget::QAccessibleWidget;

    void* interface_cast(QAccessible::InterfaceType t) override
    {
        if (t == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface*>(this);
        return QAccessibleWidget::interface_cast(t);
    }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Value)
            return allText();
        return QAccessibleWidget::text(t);
    }

    QString text(int startOffset, int endOffset) const override
    {
        if (startOffset < 0 || startOffset > endOffset)
            return {};
        return allText().mid(startOffset, endOffset - startOffset);
    }
    int characterCount() const override { return static_cast<int>(allText().size()); }

    // One run without attributes over the whole text: screen readers split what they
    // read at the runs, and a run per character cut the last letter off.
    QString attributes(int offset, int* startOffset, int* endOffset) const override
    {
        const int n = characterCount();
        const bool inside = offset >= 0 && offset <= n;
        *startOffset = inside ? 0 : -1;
        *endOffset = inside ? n : -1;
        return {};
    }

    QString textBeforeOffset(int offset, QAccessible::TextBoundaryType b, int* s, int* e) const override
    {
        return piece(offset, b, Relation::Before, s, e);
    }
    QString textAtOffset(int offset, QAccessible::TextBoundaryType b, int* s, int* e) const override
    {
        return piece(offset, b, Relation::At, s, e);
    }
    QString textAfterOffset(int offset, QAccessible::TextBoundaryType b, int* s, int* e) const override
    {
        return piece(offset, b, Relation::After, s, e);
    }

    void addSelection(int startOffset, int endOffset) override { setSelection(0, startOffset, endOffset); }

protected:
    virtual QString allText() const = 0;
    virtual std::vector<int> lineStarts() const { return {0}; }
    virtual std::vector<int> paragraphStarts() const { return {0}; }

private:
    QString piece(int offset, QAccessible::TextBoundaryType b, Relation r, int* s, int* e) const
    {
        if (offset == -2)
            offset = cursorPosition();
        const TextPiece p = textPiece(allText(), offset, b, r, lineStarts(), paragraphStarts());
        *s = p.start;
        *e = p.end;
        return p.text;
    }
};

class LineEditAccessible final : public TextBoxAccessibleBase, public QAccessibleEditableTextInterface {
public:
    explicit LineEditAccessible(QLineEdit* edit) : TextBoxAccessibleBase(edit, QAccessible::EditableText)
    {
        addControllingSignal(QStringLiteral("textChanged(const QString&)"));
        addControllingSignal(QStringLiteral("returnPressed()"));
    }

    void* interface_cast(QAccessible::InterfaceType t) override
    {
        if (t == QAccessible::EditableTextInterface)
            return static_cast<QAccessibleEditableTextInterface*>(this);
        return TextBoxAccessibleBase::interface_cast(t);
    }

    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.editable = true;
        s.readOnly = edit()->isReadOnly();
        s.selectableText = true;
        return s;
    }

    int cursorPosition() const override { return edit()->cursorPosition(); }
    void setCursorPosition(int position) override { edit()->setCursorPosition(position); }
    int selectionCount() const override { return edit()->hasSelectedText() ? 1 : 0; }
    void selection(int index, int* startOffset, int* endOffset) const override
    {
        const bool any = index == 0 && edit()->hasSelectedText();
        *startOffset = any ? edit()->selectionStart() : 0;
        *endOffset = any ? edit()->selectionEnd() : 0;
    }
    void setSelection(int index, int startOffset, int endOffset) override
    {
        if (index == 0)
            edit()->setSelection(startOffset, endOffset - startOffset);
    }
    void removeSelection(int index) override
    {
        if (index == 0)
            edit()->deselect();
    }
    void scrollToSubstring(int startIndex, int endIndex) override
    {
        edit()->setCursorPosition(endIndex);
        edit()->setCursorPosition(startIndex);
    }

    QRect characterRect(int offset) const override
    {
        const QString ch = text(offset, offset + 1);
        if (ch.isEmpty())
            return {};
        QStyleOptionFrame option;
        option.initFrom(edit());
        const QRect contents = edit()->style()->subElementRect(QStyle::SE_LineEditContents, &option, edit())
                                   .marginsRemoved(edit()->textMargins());
        const QFontMetrics metrics(edit()->font());
        constexpr int kInnerMargin = 2;  // the line edit's own, between its contents and the text
        const int x = contents.x() + kInnerMargin + metrics.horizontalAdvance(allText().left(offset));
        const int y = contents.y() + (contents.height() - metrics.height() + 1) / 2;
        return QRect(edit()->mapToGlobal(QPoint(x, y)), QSize(metrics.horizontalAdvance(ch), metrics.height()));
    }
    int offsetAtPoint(const QPoint& point) const override
    {
        return edit()->cursorPositionAt(edit()->mapFromGlobal(point));
    }

    // Text a screen reader writes arrives as a paste does: not typed, so only the length limit applies.
    void deleteText(int startOffset, int endOffset) override
    {
        replaceText(startOffset, endOffset, QString());
    }
    void insertText(int offset, const QString& text) override { replaceText(offset, offset, text); }
    void replaceText(int startOffset, int endOffset, const QString& text) override
    {
        if (edit()->isReadOnly() || startOffset < 0 || startOffset > endOffset || endOffset > characterCount())
            return;
        edit()->setText(allText().replace(startOffset, endOffset - startOffset, text));
    }

protected:
    QString allText() const override { return edit()->text(); }

private:
    QLineEdit* edit() const { return static_cast<QLineEdit*>(widget()); }
};

// The multi-line boxes are read-only: a screen reader may read, move the caret and select.
class PlainTextAccessible final : public TextBoxAccessibleBase {
public:
    explicit PlainTextAccessible(QPlainTextEdit* edit) : TextBoxAccessibleBase(edit, QAccessible::EditableText) {}

    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.editable = !edit()->isReadOnly();
        s.readOnly = edit()->isReadOnly();
        s.multiLine = true;
        s.selectableText = true;
        return s;
    }

    int cursorPosition() const override { return edit()->textCursor().position(); }
    void setCursorPosition(int position) override
    {
        QTextCursor c = edit()->textCursor();
        c.setPosition(std::clamp(position, 0, characterCount()));
        edit()->setTextCursor(c);
    }
    int selectionCount() const override { return edit()->textCursor().hasSelection() ? 1 : 0; }
    void selection(int index, int* startOffset, int* endOffset) const override
    {
        const QTextCursor c = edit()->textCursor();
        const bool any = index == 0 && c.hasSelection();
        *startOffset = any ? c.selectionStart() : 0;
        *endOffset = any ? c.selectionEnd() : 0;
    }
    void setSelection(int index, int startOffset, int endOffset) override
    {
        if (index != 0)
            return;
        QTextCursor c = edit()->textCursor();
        c.setPosition(std::clamp(startOffset, 0, characterCount()));
        c.setPosition(std::clamp(endOffset, 0, characterCount()), QTextCursor::KeepAnchor);
        edit()->setTextCursor(c);
    }
    void removeSelection(int index) override
    {
        if (index != 0)
            return;
        QTextCursor c = edit()->textCursor();
        c.clearSelection();
        edit()->setTextCursor(c);
    }
    void scrollToSubstring(int startIndex, int endIndex) override
    {
        setSelection(0, startIndex, endIndex);
        edit()->ensureCursorVisible();
    }

    QRect characterRect(int offset) const override
    {
        const QString ch = text(offset, offset + 1);
        if (ch.isEmpty())
            return {};
        QTextCursor c(edit()->document());
        c.setPosition(offset);
        const QRect caret = edit()->cursorRect(c);
        const int width = QFontMetrics(edit()->font()).horizontalAdvance(ch);
        return QRect(edit()->viewport()->mapToGlobal(caret.topLeft()), QSize(width, caret.height()));
    }
    int offsetAtPoint(const QPoint& point) const override
    {
        return edit()->cursorForPosition(edit()->viewport()->mapFromGlobal(point)).position();
    }

protected:
    QString allText() const override { return edit()->toPlainText(); }

    // The lines as the box wraps them on screen; a block not laid out yet counts as one line.
    std::vector<int> lineStarts() const override
    {
        std::vector<int> starts;
        for (QTextBlock b = edit()->document()->begin(); b.isValid(); b = b.next()) {
            starts.push_back(b.position());
            if (const QTextLayout* layout = b.layout())
                for (int i = 1; i < layout->lineCount(); ++i)
                    starts.push_back(b.position() + layout->lineAt(i).textStart());
        }
        return starts;
    }
    std::vector<int> paragraphStarts() const override
    {
        std::vector<int> starts;
        for (QTextBlock b = edit()->document()->begin(); b.isValid(); b = b.next())
            starts.push_back(b.position());
        return starts;
    }

private:
    QPlainTextEdit* edit() const { return static_cast<QPlainTextEdit*>(widget()); }
};

#endif

// Every form is a frame to a screen reader, or a dialog if it asks to be one.
class FormAccessible final : public QAccessibleWidget {
public:
    explicit FormAccessible(Form* form)
        : QAccessibleWidget(form, form->hasDialogRole() ? QAccessible::Dialog : QAccessible::Window)
    {
    }
};

// A picture box reads as "<name>: <tooltip> <caption>", and its press action does what a
// click does.
class PictureBoxAccessible final : public QAccessibleWidget {
public:
    explicit PictureBoxAccessible(PictureBox* box) : QAccessibleWidget(box, QAccessible::Button) {}

    QString text(QAccessible::Text t) const override
    {
        const auto* box = static_cast<const PictureBox*>(widget());
        if (t == QAccessible::Name) {
            QString content = box->toolTip();
            if (const QLabel* caption = box->captionLabel(); caption && !caption->text().isEmpty())
                content += (content.isEmpty() ? QString() : QStringLiteral(" ")) + caption->text();
            return content.isEmpty() ? box->accessibleName() : box->accessibleName() + QStringLiteral(": ") + content;
        }
        if (t == QAccessible::Description)
            return box->toolTip();
        return QAccessibleWidget::text(t);
    }

    QStringList actionNames() const override { return {pressAction()}; }

    void doAction(const QString& action) override
    {
        if (action == pressAction() && widget()->isEnabled())
            emit static_cast<PictureBox*>(widget())->clicked();
    }
};

// A clickable label can be pressed too, and reads as selected while it is marked; a note
// that is announced reads as a notification.
class LabelAccessible final : public QAccessibleWidget {
public:
    explicit LabelAccessible(Label* label) : QAccessibleWidget(label, QAccessible::StaticText) {}

    QAccessible::Role role() const override
    {
        return static_cast<const Label*>(widget())->isAnnounced() ? QAccessible::Notification
                                                                  : QAccessible::StaticText;
    }

    QString text(QAccessible::Text t) const override
    {
        const auto* label = static_cast<const Label*>(widget());
        if (t == QAccessible::Name) {
            if (label->accessibleName().isEmpty())
                return label->text();
            return label->accessibleName() + QStringLiteral(": ") + label->text();
        }
        if (t == QAccessible::Description && label->isMarked())
            return label->markedDescription();
        return QAccessibleWidget::text(t);
    }

    QAccessible::State state() const override
    {
        const auto* label = static_cast<const Label*>(widget());
        QAccessible::State s = QAccessibleWidget::state();
        s.selectable = label->isClickable();
        s.selected = label->isMarked();
        return s;
    }

    QStringList actionNames() const override
    {
        return static_cast<const Label*>(widget())->isClickable() ? QStringList{pressAction()} : QStringList{};
    }

    void doAction(const QString& action) override
    {
        auto* label = static_cast<Label*>(widget());
        if (action == pressAction() && label->isClickable() && label->isEnabled())
            emit label->clicked();
    }
};

QAccessibleInterface* factory(const QString& className, QObject* object)
{
    if (className == QLatin1String("vintalem::ui::PictureBox"))
        return new PictureBoxAccessible(static_cast<PictureBox*>(object));
    if (className == QLatin1String("vintalem::ui::Label"))
        return new LabelAccessible(static_cast<Label*>(object));
    if (className == QLatin1String("vintalem::ui::Form"))
        return new FormAccessible(static_cast<Form*>(object));
#ifndef VINTALEM_QT_TEXT_ACCESSIBILITY
    if (className == QLatin1String("QLineEdit"))
        return new LineEditAccessible(static_cast<QLineEdit*>(object));
    if (className == QLatin1String("QPlainTextEdit"))
        return new PlainTextAccessible(static_cast<QPlainTextEdit*>(object));
#endif
    return nullptr;
}
}  // namespace

void installAccessibility()
{
    static const bool installed = [] {
        QAccessible::installFactory(factory);
        return true;
    }();
    (void)installed;
}

}  // namespace vintalem::ui
