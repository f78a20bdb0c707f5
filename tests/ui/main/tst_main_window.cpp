#include "tests/support/fakes.h"
#include "ui/main/main_form.h"
#include "ui/toolkit/form_names.h"

#include <QTest>

using namespace vintalem;
using namespace vintalem::ui;

class TstMainWindow : public QObject {
    Q_OBJECT
private slots:
    void opensWithTwoWindows();
};

void TstMainWindow::opensWithTwoWindows()
{
    test::TestToolkit tk;
    auto* main = tk.forms().load<MainForm>(names::zuvo);
    QVERIFY(main);
    main->show();
    QVERIFY(tk.forms().isVisible(names::Atab));
    QCOMPARE(main->referenceSequence().size(), std::size_t(60));
    QCOMPARE(main->client()->size(), QSize(698, 359));
}

QTEST_MAIN(TstMainWindow)
#include "tst_main_window.moc"
