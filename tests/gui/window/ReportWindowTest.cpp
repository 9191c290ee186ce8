#include "DesktopFixture.h"
#include "app/CommandActions.h"
#include "view/CommandTable.h"

#include <QAction>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QMenu>
#include <QStandardPaths>
#include <cstdio>
#include <gtest/gtest.h>

namespace tallimo::test {
namespace {

std::string output(const std::string& command) {
    std::string text;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[4096];
        for (std::size_t got = 0; (got = fread(buffer, 1, sizeof buffer, pipe)) > 0;) {
            text.append(buffer, got);
        }
        pclose(pipe);
    }
    return text;
}

TEST(Report, FileExportPdfWritesWhatTallimoCliReportWrites) {
    DesktopFixture f;
    ASSERT_TRUE(f.launchOnMonth());
    f.frame().show();
    QApplication::setActiveWindow(&f.frame());
    QAction* print = f.frame().actions().action(CommandId::FilePrint);
    EXPECT_TRUE(print->isEnabled());
    EXPECT_TRUE(print->shortcuts().contains(QKeySequence(QStringLiteral("Ctrl+P"))));

    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    QDir().mkpath(documents);
    // The user takes the proposed folder but names the file.
    const std::string chosen = f.dir.file("desktop.pdf");
    QString proposed;
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [&] {
        if (auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
            proposed = dialog->selectedFiles().value(0);
            // Typed as a user types it: selectFile() may lose the name to the dialog's folder
            // model, which fills in later.
            auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            ASSERT_NE(name, nullptr);
            name->setText(QString::fromStdString(chosen));
            QMetaObject::invokeMethod(dialog, "accept");
        }
    });
    answer.start(20);
    QTest::keyClick(&f.frame(), Qt::Key_F, Qt::AltModifier);
    auto* file = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(file, nullptr);
    QTest::keyClick(file, Qt::Key_D);
    ASSERT_TRUE(eventually([&] { return std::filesystem::exists(chosen); }));
    EXPECT_EQ(proposed, QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation) +
                            QStringLiteral("/tallimo-report-2006-03.pdf"));

    const std::string home = f.dir.file("home");
    const std::string month = f.dir.file("March.time");
    const std::string cli = f.dir.file("cli.pdf");
    ASSERT_EQ(std::system(("env HOME='" + home + "' XDG_CONFIG_HOME='" + home +
                           "' " TALLIMO_CLI " -q report '" + month + "' --output '" + cli +
                           "' >/dev/null")
                              .c_str()),
              0);
    const std::string desktopText = output("pdftotext -layout '" + chosen + "' -");
    EXPECT_NE(desktopText.find("Time sheet March 2006"), std::string::npos) << desktopText;
    EXPECT_EQ(desktopText, output("pdftotext -layout '" + cli + "' -"));
}

} // namespace
} // namespace tallimo::test
