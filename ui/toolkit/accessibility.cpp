#include "accessibility.h"

#include "controls.h"

#include <QAccessibleWidget>

namespace vintalem::ui {

namespace {
// A picture box reads as "<name>: <tooltip> <caption>", e.g. "Aminoacido 3: Alanina Ala",
// and its press action does what a click does.
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

// A clickable label (a cell of the codon table) can be pressed too.
class LabelAccessible final : public QAccessibleWidget {
public:
    explicit LabelAccessible(Label* label) : QAccessibleWidget(label, QAccessible::StaticText) {}

    QString text(QAccessible::Text t) const override
    {
        const auto* label = static_cast<const Label*>(widget());
        if (t == QAccessible::Name) {
            if (label->accessibleName().isEmpty())
                return label->text();
            return label->accessibleName() + QStringLiteral(": ") + label->text();
        }
        return QAccessibleWidget::text(t);
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
