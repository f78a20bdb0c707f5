#pragma once

#include <QWidget>

#include <vector>

class QMenuBar;
class QVBoxLayout;

namespace vintalem::ui {

// Why a form is being unloaded, as its Form_QueryUnload is told.
enum UnloadMode : int { FormControlMenu = 0, FormCode = 1 };

// A top-level window with a fixed client area laid out in twips. The registry
// creates, loads and unloads it; the close box goes through Form_QueryUnload.
class Form : public QWidget {
    Q_OBJECT
public:
    Form(const QString& name, const QString& caption, int clientWidthTwips, int clientHeightTwips);
    ~Form() override;

    const QString& formName() const { return name_; }
    QWidget* client() const { return client_; }
    QMenuBar* menuBar();

    virtual void Form_Load() {}
    virtual void Form_QueryUnload(int& Cancel, int UnloadMode);

    // Screen readers present it as a dialog rather than as a window.
    void setDialogRole(bool dialog) { dialogRole_ = dialog; }
    bool hasDialogRole() const { return dialogRole_; }
    // Escape unloads the window as its close box does.
    void setClosesOnEscape(bool closes) { closesOnEscape_ = closes; }
#ifdef Q_OS_WASM
    // In a browser Qt shows every window full screen; ours keep their fixed size, side by side.
    void setVisible(bool visible) override;
#endif

protected:
#ifdef Q_OS_WASM
    void changeEvent(QEvent* event) override;
#endif
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QString name_;
    QVBoxLayout* layout_;
    QWidget* client_;
    QMenuBar* menuBar_ = nullptr;
    bool dialogRole_ = false;
    bool closesOnEscape_ = true;
};

// Sets the Tab order along `chain`. Qt orders only widgets that take the focus, so each
// takes it while it is ordered and gets its own policy back afterwards.
void setTabOrderOf(const std::vector<QWidget*>& chain);

}  // namespace vintalem::ui
