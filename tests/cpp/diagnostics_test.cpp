// The diagnostic reporter: placeholders, levels, the error flag, the stream.
#include <gtest/gtest.h>

#include "cimp/cpp/pp_state.h"
#include "cimp/text_file.h"
#include "pp_harness.h"

namespace cimp::cpp::testing {
namespace {

TEST(Diagnostics, Placeholders) {
    PpHarness harness;
    harness.PushFile("first  second (x)\n");
    PpTokenRow row(3);
    ReadLine(harness.pp(), row, true);
    PpDiagnostics& diag = harness.pp().diag;
    ReportDiag(diag, kPpWarning, "s=%s d=%d t=%t", "text", -42, row.base[1]);
    ReportDiag(diag, kPpWarning, "row=%r.", row);
    row.current = row.base + 1;
    ReportDiag(diag, kPpWarning, "from second: %r", row);
    ReportDiag(diag, kPpWarning, "100%% %q");
    EXPECT_EQ(harness.diagnostics(),
              "s=text d=-42 t=second\n"
              "row=first second (x).\n"
              "from second: second (x)\n"
              "100% q\n");
}

TEST(Diagnostics, Levels) {
    PpState pp;
    std::string text;
    pp.diag.SetCapture(&text);
    ReportDiag(pp.diag, kPpWarning, "a warning");
    EXPECT_FALSE(pp.diag.ErrorFlag());
    ReportDiag(pp.diag, kPpError, "an error");
    EXPECT_TRUE(pp.diag.ErrorFlag());
    pp.diag.ClearErrorFlag();
    EXPECT_THROW(ReportDiag(pp.diag, kPpFatal, "the end %d", 1), PpFatalError);
    EXPECT_TRUE(pp.diag.ErrorFlag());
    EXPECT_EQ(text, "a warning\nan error\nthe end 1\n");
}

TEST(Diagnostics, FatalAndAllocationFailureEndTheRun) {
    PpState pp;
    std::string text;
    pp.diag.SetCapture(&text);
    EXPECT_TRUE(RunUntilFatal(pp.diag, [] {}));
    EXPECT_FALSE(RunUntilFatal(pp.diag, [&] { ReportDiag(pp.diag, kPpFatal, "stop"); }));
    EXPECT_FALSE(RunUntilFatal(pp.diag, [] { throw std::bad_alloc(); }));
    EXPECT_EQ(text, "stop\nOut of memory from malloc\n");
}

TEST(Diagnostics, WrittenToTheStreamAsTextLines) {
    {
        TextFile file;
        ASSERT_TRUE(file.Open("diagnostics.err", TextFile::Mode::kWrite));
        PpState pp;
        pp.diag.SetStream(&file);
        ReportDiag(pp.diag, kPpError, "Macro redefinition of %s", "A");
        ReportDiag(pp.diag, kPpWarning, "No newline at end of file");
    }
    std::FILE* raw = std::fopen("diagnostics.err", "rb");
    ASSERT_NE(raw, nullptr);
    char bytes[128] = {};
    const std::size_t count = std::fread(bytes, 1, sizeof bytes - 1, raw);
    std::fclose(raw);
    EXPECT_EQ(std::string(bytes, count), "Macro redefinition of A\r\nNo newline at end of file\r\n");
}

}  // namespace
}  // namespace cimp::cpp::testing
