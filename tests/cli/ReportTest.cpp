#include "support/CliRunner.h"

#include <gtest/gtest.h>
#include <sstream>

namespace tallimo::test {
namespace {

// The text pdftotext reads from a PDF (one page, or all), runs of blanks made one.
std::string pdfText(const CliSandbox& sandbox, const std::string& pdf, int page = 0) {
    const std::string pages =
        page > 0 ? " -f " + std::to_string(page) + " -l " + std::to_string(page) : "";
    return sandbox.shell("pdftotext -layout" + pages + " '" + pdf + "' - | tr -s ' '").out;
}

// One field of pdfinfo, such as "Pages" or "Page size".
std::string pdfInfo(const CliSandbox& sandbox, const std::string& pdf, const std::string& field) {
    return sandbox.shell("pdfinfo '" + pdf + "' | sed -n 's/^" + field + ": *//p'").out;
}

std::string joined(const std::vector<std::string>& parts) {
    std::string text;
    for (const std::string& part : parts) {
        if (!part.empty()) {
            text += (text.empty() ? "" : " ") + part;
        }
    }
    return text;
}

// The Balance column of a month's line of `balance`.
std::string balanceOf(const std::string& table, const std::string& month) {
    std::istringstream lines(table);
    for (std::string line; std::getline(lines, line);) {
        std::istringstream words(line);
        std::string first, overtime, standby, balance;
        if (words >> first >> overtime >> standby >> balance && first == month) {
            return balance;
        }
    }
    return "?";
}

TEST(CliReport, HoldsEveryDayAndTheTotalsAsTotalAndBalanceGiveThem) {
    CliSandbox sandbox;
    sandbox.shell("cp '" TALLIMO_TEST_DATA "/march2006-entries.time' march.time");
    // An earlier month whose overtime the report brings forward.
    ASSERT_EQ(sandbox.run({"new", "2006-02", "february.time"}).status, 0);
    ASSERT_EQ(
        sandbox.run({"set", "february.time", "6", "--enter", "7:00", "--leave", "19:30"}).status,
        0);
    // Copied out of the PDF as typed, without ligatures.
    ASSERT_EQ(sandbox.run({"set", "march.time", "8", "--comment", "Office fire drill"}).status, 0);
    const CliResult made = sandbox.run({"report", "march.time"});
    ASSERT_EQ(made.status, 0) << made.err;
    EXPECT_EQ(made.out, "tallimo-report-2006-03.pdf\n");
    const std::string text = pdfText(sandbox, "tallimo-report-2006-03.pdf");

    EXPECT_NE(text.find(" Office fire drill\n"), std::string::npos) << text;
    const std::vector<std::string> days = shownTable(sandbox, "march.time", "work");
    ASSERT_EQ(days.size(), 31u);
    for (const std::string& day : days) {
        const std::vector<std::string> c = cellsOf(day + "\t");
        // Date, Weekday, Enter, Leave, @Work, Worktime, Overtime, Stand-by, Time and Labor.
        const std::string printed = joined({c[0], c[1], c[2], c[3], c[6], c[7], c[8], c[5], c[9]});
        EXPECT_NE(text.find(printed), std::string::npos) << printed << '\n' << text;
    }
    for (const auto& args : {std::vector<std::string>{"total", "march.time"},
                             std::vector<std::string>{"total", "march.time", "--squad"}}) {
        const std::string total = sandbox.run(args).out;
        EXPECT_NE(text.find(total), std::string::npos) << total << '\n' << text;
    }
    const std::string balance = sandbox.run({"balance", "."}).out;
    EXPECT_NE(balanceOf(balance, "2006-02"), "00:00:00") << balance;
    EXPECT_NE(text.find("Balance brought forward: " + balanceOf(balance, "2006-02") + "\n"),
              std::string::npos)
        << balance << text;
    EXPECT_NE(text.find("Balance carried forward: " + balanceOf(balance, "2006-03") + "\n"),
              std::string::npos)
        << balance << text;
}

// The locale's paper is A4 in the tests (LC_ALL=C).
TEST(CliReport, AThirtyOneDayMonthIsOnePageOfTheChosenPaperInEmbeddedFonts) {
    CliSandbox sandbox;
    sandbox.shell("cp '" TALLIMO_TEST_DATA "/march2006-entries.time' march.time");
    for (const auto& [paper, size] : {std::pair<std::string, std::string>{"", "595 x 842 pts (A4)"},
                                      {"letter", "612 x 792 pts (letter)"}}) {
        std::vector<std::string> args = {"report", "march.time", "--output", "r.pdf", "--force"};
        if (!paper.empty()) {
            args.insert(args.end(), {"--paper", paper});
        }
        ASSERT_EQ(sandbox.run(args).status, 0);
        EXPECT_EQ(pdfInfo(sandbox, "r.pdf", "Page size"), size + "\n");
        EXPECT_EQ(pdfInfo(sandbox, "r.pdf", "Pages"), "1\n") << paper;
        // The "emb" column of every font.
        EXPECT_EQ(
            sandbox.shell("pdffonts r.pdf | tail -n +3 | awk '{print $(NF-4)}' | sort -u").out,
            "yes\n");
    }
}

TEST(CliReport, TheHeaderPrintsANameOutsideTheFilesCodePage) {
    CliSandbox sandbox;
    ASSERT_EQ(sandbox
                  .run({"options", "ReportName=Zoë Ługowska-Nuñez", "ReportNumber=4711",
                        "ReportDepartment=Payroll"})
                  .status,
              0);
    ASSERT_EQ(sandbox.run({"new", "2006-03", "m.time"}).status, 0);
    ASSERT_EQ(sandbox.run({"report", "--output", "r.pdf"}).status, 0);
    const std::string text = pdfText(sandbox, "r.pdf");
    EXPECT_NE(text.find("Name: Zoë Ługowska-Nuñez Personnel number: 4711 Department: Payroll"),
              std::string::npos)
        << text;
}

TEST(CliReport, FortyStandByPeriodsGoOnToASecondPageUnderTheirHeader) {
    CliSandbox sandbox;
    ASSERT_EQ(sandbox.run({"new", "2006-03", "m.time"}).status, 0);
    ASSERT_EQ(sandbox
                  .shell("for i in $(seq 10 49); do d=$(printf %02d $((i % 28 + 1))); "
                         "\"$TALLIMO_CLI\" -q squad-add m.time --start \"$d.03.2006 20:$i\" "
                         "--end \"$d.03.2006 21:00\" --description \"period $i\" || exit 1; "
                         "done")
                  .status,
              0);
    ASSERT_EQ(sandbox.run({"report", "m.time", "--output", "r.pdf"}).status, 0);
    EXPECT_EQ(pdfInfo(sandbox, "r.pdf", "Pages"), "2\n");
    const std::string header = "Start End Worktime TimeAndLabor Incident Description";
    const std::string second = pdfText(sandbox, "r.pdf", 2);
    EXPECT_NE(second.find(header), std::string::npos) << second;
    EXPECT_NE(second.find("Page 2 of 2"), std::string::npos) << second;
    const std::string text = pdfText(sandbox, "r.pdf");
    for (int i = 10; i < 50; ++i) {
        EXPECT_NE(text.find("period " + std::to_string(i)), std::string::npos) << i;
    }
}

TEST(CliReport, AnExistingFileIsReplacedOnlyWithForce) {
    CliSandbox sandbox;
    ASSERT_EQ(sandbox.run({"new", "2006-03", "m.time"}).status, 0);
    sandbox.shell("echo kept >r.pdf");
    const CliResult refused = sandbox.run({"report", "m.time", "--output", "r.pdf"});
    EXPECT_EQ(refused.status, 1);
    EXPECT_EQ(refused.err, "tallimo-cli: report: r.pdf exists; give --force to replace it\n");
    EXPECT_EQ(readText(sandbox.file("r.pdf")), "kept\n");
    EXPECT_EQ(sandbox.run({"report", "m.time", "--output", "r.pdf", "--force"}).status, 0);
    EXPECT_TRUE(readText(sandbox.file("r.pdf")).starts_with("%PDF"));
}

// The other commands' start-up is measured: Qt is loaded for the report alone.
TEST(CliReport, OnlyTheReportCommandLoadsQt) {
    CliSandbox sandbox;
    ASSERT_EQ(sandbox.run({"new", "2006-03", "m.time"}).status, 0);
    const auto qtLoads = [&](const std::string& command) {
        return sandbox
            .shell("LD_DEBUG=files \"$TALLIMO_CLI\" " + command +
                   " 2>&1 >/dev/null | grep -c 'file=libQt6Core'")
            .out;
    };
    EXPECT_EQ(qtLoads("show m.time"), "0\n");
    EXPECT_NE(qtLoads("report m.time --output r.pdf"), "0\n");
}

} // namespace
} // namespace tallimo::test
