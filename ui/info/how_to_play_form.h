#pragma once

#include "ui/toolkit/controls.h"
#include "ui/toolkit/form.h"

#include <QLineF>

#include <array>

namespace vintalem::ui {

// "Come funziona il programma?": how to play, with a glossary of four underlined terms.
class HowToPlayForm : public Form {
    Q_OBJECT
public:
    static constexpr int kTerms = 4;

    HowToPlayForm();

    void Form_Load() override;

    static QString howToPlayText();
    static const std::array<QString, kTerms>& glossaryTerms();

    // Underlines, in logical pixels of the client area, one per glossary term from top to bottom.
    const std::array<QLineF, kTerms>& underlines() const { return underlines_; }

    Label* fnz = nullptr;

private:
    void placeUnderlines();

    std::array<QLineF, kTerms> underlines_{};
    QWidget* lines_ = nullptr;
};

}  // namespace vintalem::ui
