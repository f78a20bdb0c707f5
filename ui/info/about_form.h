#pragma once

#include "ui/toolkit/controls.h"
#include "ui/toolkit/form.h"

#include <QPushButton>

namespace vintalem::ui {

// "Informazioni sul programma": name, version and credits. While it is open the
// main, explanation and codon table windows are disabled.
class AboutForm : public Form {
    Q_OBJECT
public:
    AboutForm();

    void Form_Load() override;
    void Form_QueryUnload(int& Cancel, int UnloadMode) override;
    void ok_Click();

    static QString aboutText();

    Label* Informazioni = nullptr;
    QPushButton* ok = nullptr;
};

}  // namespace vintalem::ui
