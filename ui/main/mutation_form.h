#pragma once

#include "ui/toolkit/form.h"

#include <QPlainTextEdit>

namespace vintalem::ui {

// "mutazioni": what a mutation is and how selection acts on it.
class MutationForm : public Form {
    Q_OBJECT
public:
    MutationForm();

    void Form_Load() override;

    static QString explanationText();

    QPlainTextEdit* explanation = nullptr;
};

}  // namespace vintalem::ui
