// Tables of whole runs: input files and options, the exact output and the
// exact "errorfile.err".  An expected output holding a line marker is the
// whole of "cprep.tmp", else the output without its markers; both files are
// compared byte for byte (text mode: CR LF).  A run is fatal (-2) exactly when
// its diagnostics say so.
#include "pp_test_util.h"

namespace pp_test {
namespace {

struct Case {
    std::string files;  // see WriteFiles: the first file is the input
    std::string output;
    std::string diagnostics = "";
    std::vector<std::string> options = {};
};

class CasesTest : public PreprocessorTest {
protected:
    void Run(const std::vector<Case>& cases) {
        for (std::size_t n = 0; n < cases.size(); ++n) {
            const Case& c = cases[n];
            SCOPED_TRACE(c.files.substr(0, 200));
            fs::create_directory("case" + std::to_string(n));
            fs::current_path("case" + std::to_string(n));
            WriteFileBytes("errorfile.err", "old\n");  // every run starts a new one
            const bool fatal = c.diagnostics.find("Fatal error") != std::string::npos;
            EXPECT_EQ(Preprocess(c.files, c.options), fatal ? -2 : 0);
            if (c.output.find("/*#line") != std::string::npos) {
                EXPECT_TRUE(ReadFileBytes("cprep.tmp") == ToCrLf(c.output)) << Output();
            } else {
                EXPECT_TRUE(Text() == c.output) << ::testing::PrintToString(Text().substr(0, 300));
            }
            EXPECT_EQ(ReadFileBytes("errorfile.err"), ToCrLf(c.diagnostics));
            fs::current_path("..");
        }
    }
};

const std::string kIllegal = "Illegal -D or -U argument ";
const std::string kDisagree = "Disagreement in number of macro arguments\n";

std::string Repeat(const std::string& text, int times) {
    std::string all;
    for (int i = 0; i < times; ++i) all += text;
    return all;
}

TEST_F(CasesTest, Conditionals) {
    Run({{"#if 1\na\n#endif\n#if 0\nb\n#endif\nc\n", "\na\n\n\n\n\nc\n"},
         {"#define A\n#ifdef A\na\n#endif\n#ifndef A\nb\n#endif\n#ifdef __LINE__\nc\n#endif\n"
          "#ifdef __STDC__\nd\n#endif\n", "\n\na\n\n\n\n\n\nc\n\n\n\n\n"},
         {"#ifdef A B\na\n#endif\n#ifndef\nb\n#endif\n", "\n\n\n\n\n\n",
          "Syntax error in #ifdef/#ifndef\nSyntax error in #ifdef/#ifndef\n"},
         {"#if 1\na\n#elif 1\nb\n#else\nc\n#endif\n#if 0\na\n#elif 0\nb\n#else\nc\n#endif\n",
          "\na\n\n\n\n\n\n\n\n\n\n\nc\n\n"},
         {"#if 0\na\n#elif 1\nb\n#elif 1\nc\n#else\nd\n#endif\n", "\n\n\nb\n\n\n\n\n\n"},
         {"#if 1\na\n#elif 1/0\nb\n#endif\n", "\na\n\n\n\n", "Undefined expression value\n"},
         {"\n\n#if __LINE__ == 3\na\n#endif\n", "\n\n\na\n\n"},
         {"#if 0\n#if 1\na\n#else\nb\n#endif\nc\n#else\nd\n#endif\n#if 1\n#if 0\na\n#elif 1\nb\n"
          "#endif\nc\n#endif\n#if 0\n#if 0\n#elif 1\na\n#endif\n#endif\n",
          "\n\n\n\n\n\n\n\nd\n\n" "\n\n\n\nb\n\nc\n\n" "\n\n\n\n\n\n"},
         {"#define FOO 1\n#if 0\n#FOO\n#bar\n#error no\n#else\nx\n#endif\n", "\n\n\n\n\n\nx\n\n",
          "Unknown preprocessor control bar\n"},
         {"#elif 1\n#else\n#endif\na\n", "#elif 1\n#else\n#endif\na\n",
          "#elif with no #if\n#else with no #if\n#endif with no #if\n"},
         {"#if 0\n#else\na\n#else\nb\n#elif 1\n#endif\n", "\n\na\n\n\n\n\n",
          "#else after #else\n#elif after #else\n"},
         {"#if 0\n#else junk\na\n#endif junk\n", "\n\na\n\n",
          "Syntax error in #else\nSyntax error in #endif\n"},
         {"#if 1\na\n", "\na\n", "Unterminated #if/#ifdef/#ifndef\n"},
         // The name in #if is no call when its '(' is on the next line.
         {"#define f(x) 1\n#if f\n(2)\n#endif\n", "\n\n\n\n"}});
}

TEST_F(CasesTest, OtherDirectives) {
    Run({{"#define A 1\nA\n#undef A\nA\n", "\n 1\n\nA\n"},
         {"#define pack x\n#pragma pack(1)\n#\n", "\n#pragma pack(1)\n#\n"},
         {"#define FOO 1\n#ident \"x\"\n#FOO\n#\"x\"\n", "\n#ident \"x\"\n#FOO\n#\"x\"\n",
          "Unknown preprocessor control ident\nUnknown preprocessor control FOO\n"
          "Unidentifiable control line\n"},
         {"#error stop  here\na\n#eval 1/0\n", "\na\n\n",
          "#error directive: stop here\nUndefined expression value\n"},
         {"#line 20\n__LINE__\n#line 7 \"a.h\"\n__LINE__ __FILE__\n#define N 30\n#line N\n"
          "__LINE__\n",
          "#line 20\n20\n#line 7 \"a.h\"\n7 \"a.h\"\n\n#line 30\n30\n"},
         {"#if 0\n# 7 \"b.h\"\n#endif\n__LINE__ __FILE__\n# 7 \"b.h\"\n__LINE__ __FILE__\n",
          "\n\n\n8 \"b.h\"\n# 7 \"b.h\"\n7 \"b.h\"\n"},
         {"#line x\n#line 1 2\n#line 1 L\"w\"\n#line 1 \"a\" 2\n#line 40000\n__LINE__\n",
          "#line x\n#line 1 2\n#line 1 L\"w\"\n#line 1 \"a\" 2\n#line 40000\n40000\n",
          "Syntax error in #line\nSyntax error in #line\nSyntax error in #line\n"
          "Syntax error in #line\n#line specifies number out of range\n"},
         {"#line 99999999999\n__LINE__\n", "#line 99999999999\n1000000000\n",
          "#line specifies number out of range\n"},
         // A directive on a last line without a newline ends with the input.
         {"#define X 1\n#undef X", "\n\n", "No newline at end of file\n"},
         {"#eval 1 + 1", "\n", "No newline at end of file\n"},
         {"#error stop  here  ", "\n", "No newline at end of file\n#error directive: stop here\n"},
         {"#if 1\n#endif", "\n\n", "No newline at end of file\n"},
         {"#define X 1\n#include \"u.h\"\nX\n--- u.h\n#undef X", "\n\nX\n",
          "No newline at end of file\n"}});
}

TEST_F(CasesTest, Macros) {
    Run({{"#define f(x) [x]\nf(1,\n2) f()\n", "\nf(1,2) f()\n", kDisagree + kDisagree},
         {"#define g(a,b) a\n#define N 1\ng(N,2,3)\n", "\n\ng(N,2,3)\n", kDisagree},
         {"#define h(a,b) <a|b>\n#define z() zero\n#define f (x)\nh( , ) z() f(1)\n",
          "\n\n\n < | > zero (x)(1)\n"},
         {"#define f(x) [x]\nf(1,\n", "\nf(1,", "EOF in macro arglist\n" + kDisagree},
         {"#define f(x) x x\n#define g f(1) f(g)\ng\n", "\n\n 1 1 g g\n"},
         {"#define f(x) [x]\n#define id(x) x\nid(f(a ## b))\n", "\n\n[a ## b]\n"},
         {"#define f(x) x+1\n#define E\ndefined(X)\n  y = f(2);\n(E)\n",
          "\n\n defined(X)\n  y = 2 +1;\n()\n"},
         // Hide sets: the name's own hide set decides, so f stays hidden in
         // g's replacement of f(2)(9).
         {"#define x y\n#define y x\n#define f(x) g(x)\n#define g(x) f(x)\nx y f(1) g(2)\n",
          "\n\n\n\n x y f(1) g(2)\n"},
         {"#define f(x) x\nf(f)(1)\n", "\n f(1)\n"},
         {"#define f(a) a*g\n#define g(a) f(a)\nf(2)(9)\n", "\n\n 2 * f(9)\n"},
         {"#define defined defined\ndefined\n", "\n defined\n",
          "#defined token defined can't be redefined\n"},
         // Stringizing and pasting.
         {"#define s(x) #x\ns(  a   +\tb  ) s()\n", "\n \"a + b\" s()\n", kDisagree},
         {"#define s(x) # y\ns(1)\n", "\n # y\n", "# not followed by macro parameter\n"},
         {"#define cat(a,b) a##b\ncat (1, +)\n", "\n 1\n", "Bad token 1+ produced by ##\n"},
         {"#define b ## x\n#define e(x) x ##\nb e(1)\n", "\n\n ## x 1 ##\n",
          "## occurs at border of replacement\n## occurs at border of replacement\n"},
         {"#define t(x,y,z) x ## y ## z\nt(,4,5) t(6,,7)\n", "\n ## 45 6 7\n",
          "## occurs at border of replacement\nBad token 6## produced by ##\n"},
         {"#define N 5\n#define cat(a,b) a##b\n#define xcat(a,b) cat(a,b)\ncat(N,1) xcat(N,1)\n",
          "\n\n\n N1 51\n"},
         // Definitions.
         {"#define A 1\n#define A 2\n#define B 1 + 2\n#define B 1+2\nA B\n", "\n\n\n\n 2 1+2\n",
          "Macro redefinition of A\nMacro redefinition of B\n"},
         {"#define f(a) a\n#define f(b) b\n#define g(a) a\n#define g a\nf(1) g\n", "\n\n\n\n 1 a\n",
          "Macro redefinition of f\nMacro redefinition of g\n"},
         {"#define f(a,b) a b\n#define f(a, b) a b\nf(1,2)\n", "\n\n 1 2\n",
          "Macro redefinition of f\n"},
         {"#define __LINE__ 3\n__LINE__\n", "\n2\n",
          "#defined token __LINE__ can't be redefined\n"},
         {"#define 3 x\n#define\n", "\n\n",
          "#defined token is not a name\n#defined token is not a name\n"},
         {"#define f(a,a) a\nf(1,2)\n", "\n 1\n", "Duplicate macro argument\n"},
         {"#define f(a b c) a\n#define g(a,) a\n#define h(1) a\nf(1) g(1) h(1)\n",
          "\n\n\nf(1) g(1) h(1)\n", Repeat("Syntax error in macro parameters\n", 3)},
         {"#define A 1\n#undef A B\n#undef\nA\n", "\n\n\n 1\n",
          "Syntax error in #undef\nSyntax error in #undef\n"},
         // Built-in macros.
         {"a\n__LINE__\n#define L __LINE__\nx\n L\n", "a\n2\n\nx\n 5\n"},
         {"#define f(x) x\nf(\n__LINE__\n)\n", "\n 2\n"},
         {"--- dir\\x.h\n__FILE__\n", "\"dir\\\\x.h\"\n"}});
}

TEST_F(CasesTest, Options) {
    const std::string use = "[foo] [bar] __STDC__\n";
    Run({{use, "[1] [] __STDC__\n", "", {"-Dfoo", "-Dbar=", "-Unever"}},
         {use, "[a b] [2] 1\n", "", {"-Dfoo=a  b", "-D", "bar=2", "-D__STDC__"}},
         {use, "[foo] [(x)] __STDC__\n", "", {"-Dfoo", "-Dbar=(x)", "-Ufoo"}},
         {use, "", kIllegal + "3\n" + kFatal, {"-D3"}},
         {use, "", kIllegal + "\n" + kFatal, {"-D", ""}},
         {use, "", kIllegal + "foo+1\n" + kFatal, {"-Dfoo+1"}},
         {use, "", kIllegal + "foo bar\n" + kFatal, {"-Dfoo bar"}},
         {use, "", kIllegal + "foo bar\n" + kFatal, {"-Ufoo bar"}},
         {use, "", kIllegal + "foo=1\n" + kFatal, {"-Ufoo=1"}},
         {"a // b\n", "a\n", "", {"-O", "-l", "-g", "-Fx", "-F", "y", "-+", "-Olg"}}});
}

TEST_F(CasesTest, Includes) {
    const std::string deps =
        "--- src/main.h\n#include \"a.h\"\n#include <b.h>\n--- src/a.h\n--- inc/b.h\n";
    Run({{"--- src/main.h\n#include \"a.h\"\nend\n--- src/a.h\nmain_dir\n--- inc1/a.h\ninc1\n",
          "/*#line1 \"src/main.h\"*/\n/*#line1 \"src/a.h\"*/\nmain_dir\n"
          "/*#line2 \"src/main.h\"*/\nend\n", "", {"-Iinc1"}},
         {"--- src/main.h\n#include \"a.h\"\n--- inc1/a.h\ninc1\n--- inc2/a.h\ninc2\n", "inc2\n",
          "", {"-Iinc2", "-Iinc1"}},
         {"--- src/main.h\n#include <a.h>\n--- src/a.h\nmain_dir\n--- inc1/a.h\ninc1\n"
          "--- inc2/a.h\ninc2\n", "inc1\n", "", {"-Iinc1", "-Iinc2"}},
         {"--- src/main.h\n#include <a.h>\n--- src/a.h\nmain_dir\n", "",
          "Could not find include file <a.h>\n"},
         {"--- src/main.h\n#include <a.h>\n--- inc1/a.h\ninc1\n--- inc2/a.h\ninc2\n", "inc2\n", "",
          {"-Iinc1", "-N", "-Iinc2"}},
         {"--- src/main.h\n#include < sys/types.h >\n--- inc/sys/types.h\ntypes\n",
          "/*#line1 \"src/main.h\"*/\n/*#line1 \"inc/sys/types.h\"*/\ntypes\n"
          "/*#line2 \"src/main.h\"*/\n", "", {"-Iinc"}},
         {"--- src/main.h\n#define H \"a.h\"\n#include H\n#define A <b.h>\n#include A\n"
          "--- src/a.h\na\n--- inc/b.h\nb\n", "\na\n\nb\n", "", {"-Iinc"}},
         {"--- src/main.h\n#include\n#include \"a.h\" x\n#include <a.h\n#include \"\"\n#include x\n"
          "--- src/a.h\na\n", "",
          "Syntax error in #include\nSyntax error in #include\nSyntax error in #include\n"
          "Syntax error in #include\nSyntax error in #include\n"},
         {"--- src/main.h\n#include \"main.h\"\n", "", "#include too deeply nested\n" + kFatal},
         {"--- src/main.h\n#include \"a.h\"\nx\n#endif\n--- src/a.h\n#if 1\n", "\nx\n#endif\n",
          "Unterminated conditional in #include\n#endif with no #if\n"
          "Unterminated #if/#ifdef/#ifndef\n"},
         // A name written with backslashes has no '/': "." is searched.
         {"--- w\\main.h\n#include \"a.h\"\n--- a.h\nhere\n",
          "/*#line1 \"w\\main.h\"*/\n/*#line1 \"./a.h\"*/\nhere\n/*#line2 \"w\\main.h\"*/\n"},
         // -M: dependency lines before the text (quoted includes only; -M -M all).
         {deps, "src/main.$O: src/a.h\n", "", {"-M", "-Iinc"}},
         {deps, "src/main.$O: src/a.h\nsrc/main.$O: inc/b.h\n", "", {"-M", "-M", "-Iinc"}},
         {"--- cpre.tmp\n#include \"a.h\"\n--- a.h\n", "cpre.tmp$O: ./a.h\n", "", {"-M"}}});
}

// The bytes of "cprep.tmp": white space, comments, markers after lines that
// span several lines.
TEST_F(CasesTest, Output) {
    Run({{"  int  a; // note\n\tb/*x*/c  /**/  d;\na \\\nb\n/* x\n y */ int a;\n"
          "#define f(x) x\nf(\n1)\n#define A \\\n 1 \\\n + 2\nA\n#if 0\n/*\n*/\n#endif\nz\n",
          "/*#line1 \"in.h\"*/\n  int  a;\n\tb c  d;\na b\n/*#line5 \"in.h\"*/\n int a;\n"
          "/*#line7 \"in.h\"*/\n\n 1\n/*#line10 \"in.h\"*/\n\n/*#line13 \"in.h\"*/\n 1 + 2\n\n\n"
          "/*#line17 \"in.h\"*/\n\nz\n"},
         {"int a;\r\n#define X 1\r\nX\r\n", "/*#line1 \"in.h\"*/\nint a;\n\n 1\n"}});
}

// m0 .. m(length-1), each naming the next; the last names m0 again.
std::string Chain(int length) {
    std::string text;
    for (int i = 0; i < length; ++i) {
        text += "#define m" + std::to_string(i) + " m" + std::to_string((i + 1) % length) + "\n";
    }
    return text;
}

// The limits that keep any input from expanding or nesting without bound, and
// inputs larger than the buffers.
TEST_F(CasesTest, Limits) {
    std::string params = "p0", args = "0", exponential, include, calls, words;
    for (int i = 1; i < 31; ++i) {
        params += ",p" + std::to_string(i);
        args += "," + std::to_string(i);
    }
    for (char c = 'a'; c < 'a' + 25; ++c) {
        exponential += std::string("#define ") + c + " " + char(c + 1) + " " + char(c + 1) + "\n";
    }
    for (int i = 1; i < 10; ++i) {
        include += "--- n" + std::to_string(i) + ".h\n#include \"n" + std::to_string(i + 1);
        include += ".h\"\n";
    }
    for (int i = 0; i < 3000; ++i) {
        calls += 'a' + std::to_string(i) + (i % 10 == 9 ? "\n" : " ");
        words += (i == 0 ? "a" : " a") + std::to_string(i);
    }
    const std::string w(200, 'w'), a(64, 'a'), b(63, 'b'), blanks(20000, ' ');
    const std::string deep = Repeat("#if 1\n", 31) + "x\n" + Repeat("#endif\n", 31);
    const std::string depth = "#if too deeply nested\n" + kFatal;
    std::vector<std::string> directories;
    for (int i = 0; i < 32; ++i) directories.push_back("-Id" + std::to_string(i));
    // Lines far longer than one 4096-byte read (in many blocks of output),
    // and one just under the input buffer, arrive whole; a longer one is fatal.
    std::string lines;
    for (int i = 1; i <= 30000; ++i) lines += " w" + std::to_string(i) + (i % 1500 ? "" : "\n");
    lines += Repeat("abc ", 8000) + "z\n";
    Run({{"#define f(" + params + ") p0 p30\nf(" + args + ")\n", "\n 0 30\n"},
         {"#define f(" + params + ") p0\nf(" + args + ",31)\n", "\n",
          "Sorry, too many macro arguments\n" + kFatal},
         {"#define s(x) #x\ns(" + w + " " + w + ")\n", "\n \"" + w + "\"\n",
          "Stringified macro arg is too long\n"},
         {"#define c(x,y) x##y\nc(" + a + "," + b + ")\n", "\n " + a + b + "\n"},
         {"#define c(x,y) x##y\nc(" + a + "," + b + "b)\n", "\n " + a + " ## " + b + "b\n",
          "Operands of ## too long\n"},
         // Hide sets hold 30 names: a loop of 31 macros, or an argument
         // expanded by 30 macros given to one more, stops with an error.
         {Chain(30) + "m0\n", Repeat("\n", 30) + " m0\n"},
         {Chain(31) + "m0 x\n", Repeat("\n", 31) + " m30 x\n",
          "Macro expansion nested more than 30 deep\n"},
         {"#define id(x) x\n" + Chain(31) + "#undef m30\nid(m0)\n", Repeat("\n", 33) + " m30\n",
          "Macro expansion nested more than 30 deep\n"},
         {exponential + "a\n", Repeat("\n", 25), "Macro expansion too large\n" + kFatal},
         // The calls inside the 64th level of arguments stay as written.
         {"#define f(x) x\n" + Repeat("f(", 70) + "1" + Repeat(")", 70) + "\n",
          "\n " + Repeat("f(", 5) + "1" + Repeat(")", 5) + "\n",
          "Macro arguments nested too deeply\n"},
         {"--- " + std::string(100, 'n') + "\n" + Repeat(" __FILE__", 200) + "\n", "",
          "Too much generated text for one line\n" + kFatal},
         // A call gathered while the input buffer moves its bytes.
         {"#define f(x) [x]\n" + blanks + "z\nf(" + calls + ") end\n",
          "\n" + blanks + "z\n[" + words + "] end\n"},
         {deep, "\n" + Repeat("\n", 30) + "x\n" + Repeat("\n", 31)},
         {"#if 1\n" + deep + "#endif\n", Repeat("\n", 31), depth},
         {"#if 0\n" + Repeat("#ifdef X\n", 31), Repeat("\n", 31), depth},
         {"#include \"n1.h\"\n" + include + "--- n10.h\ndeepest\n", "deepest\n"},
         {"#include \"n1.h\"\n" + include + "--- n10.h\n#include \"n11.h\"\n--- n11.h\nx\n", "",
          "#include too deeply nested\n" + kFatal},
         {"#include <a.h>\n--- d30/a.h\nlast\n", "last\n", "",
          {directories.begin(), directories.end() - 1}},
         {"#include <a.h>\n", "", "Too many -I directives\n" + kFatal, directories},
         {lines, "/*#line1 \"in.h\"*/\n" + lines},
         {"a\n" + std::string(cimp::cpp::kPpBufferSize + 10, 'y') + "\n", "a\n",
          "Line too long for the input buffer\n" + kFatal}});
}

// "#if expression" with Y defined: whether it holds, and the diagnostics.
Case If(const std::string& expression, bool holds, const std::string& diagnostics = "") {
    return {"#if " + expression + "\nyes\n#else\nno\n#endif\n",
            holds ? "\nyes\n\n\n\n" : "\n\n\nno\n\n", diagnostics, {"-DY"}};
}

// Equal priorities group left to right: each of the first ones differs from
// the right-to-left grouping.
TEST_F(CasesTest, IfWithoutDiagnostics) {
    std::vector<Case> cases;
    for (const char* expression :
         {"10 - 3 - 2 == 5", "10 - 3 + 2 == 9", "1 - 1 - 1 == -1", "8 / 4 / 2 == 1",
          "2 * 3 / 2 == 3", "100 % 7 % 3 == 2", "1 << 2 << 3 == 32", "256 >> 2 >> 1 == 32",
          "3 < 2 < 1", "2 == 2 == 1", "(12 | 3 | 16) == 31", "(15 ^ 5 ^ 3) == 9",
          "(7 & 6 & 3) == 2", "0 || 0 || 1", "0 ? 1 : 0 ? 0 : 1", "1 ? 1 ? 1 : 0 : 0",
          "(1 ? 2 ? 3 ? 3 : 2 : 1 : 0) == 3", "(1 ? 0 ? 2 : 3 : 4) == 3", "- -3 == 3",
          "(0 ? 1 ? 2 : 3 : 4) == 4", "(1 ? 0 ? 2 : 0 ? 5 : 6 : 4) == 6", "12 + +3 == 15",
          "!0 == 1 && !5 == 0", "0X1f == 31 && 0xaA == 170", "10L == 10 && 10lu == 10",
          "1 << 33 == 2", "-8 >> 1 == -4", "0x80000000 >> 31 == 1", "2147483647 + 1 < 0",
          "(-2147483647 - 1) / -1 == -2147483647 - 1", "(-2147483647 - 1) % -1 == 0",
          "-7 / 2 == -3 && -7 % 2 == -1", "defined(X) || defined Y", "2 || 1/0",
          "037777777777 > 0", "0x80000000 > 1", "'\\x41' == 65 && '\\101' == 65 && '\\0' == 0",
          "'\\n' == 10 && '\\t' == 9 && '\\\\' == 92 && '\\'' == 39"}) {
        cases.push_back(If(expression, true));
    }
    cases.push_back(If(std::string(31, '(') + "1" + std::string(31, ')'), true));
    for (const char* expression : {"3 > 2 > 1", "3 != 2 == 0", "0 && 1 && 1", "1 ? 0 : 1 ? 1 : 1",
                                   "defined X", "0 && 1/0", "4294967295 > 0"}) {
        cases.push_back(If(expression, false));
    }
    Run(cases);
}

TEST_F(CasesTest, IfWithDiagnostics) {
    const std::string syntax = "Syntax error in #if/#elsif\n";
    const std::string undefined = "Undefined expression value\n";
    const std::string defined = "Incorrect syntax for `defined'\n";
    Run({If("1/0", true, undefined), If("5 % 0 == 5", true, undefined),
         If("1/0 || 1", true, undefined), If("1 && 1/0", true, undefined),
         If("'\\377' == 255", true, "Character constant taken as not signed\n"),
         If("'\\q' == 0", true, "Undefined escape in character constant\n"),
         If("'' == 0", true, "Empty character constant\n"),
         If("'ab' == 97", true, "Multibyte character constant undefined\n"),
         If("L'a' == 97", true, "Wide char constant value undefined\n"),
         If("(1", false, "Syntax error in #if/#endif\n"),
         If("1, 2", false, "Syntax error in #if/#endif\n"), If("1 )", false, syntax),
         If("1 +", false, syntax), If("1 2", false, syntax), If("", false, syntax),
         If("()", false, syntax), If("1 (", false, syntax),
         If("*1", false, "Illegal operator * or & in #if/#elsif\n"),
         If("1 = 1", false, "Bad operator (=) in #if/#elsif\n"),
         If("\"s\"", false, "String in #if/#elsif\n"),
         If("09 == 9", true, "Bad digit in number 09\n"),
         If("1z", true, "Bad number 1z in #if/#elsif\n"),
         If("1 ? 2", false, "Eval botch (unknown operator)\n"),
         If("1 : 2", true, "Bad ?: in #if/endif\n"),
         If("1 : 2 : 3", true, "Bad ?: in #if/endif\nBad ?: in #if/endif\n"),
         If("defined", false, defined + syntax),
         If("defined (X", false, defined + "Syntax error in #if/#endif\n"),
         // Thirty-one open parentheses (above) fill the operator stack with the
         // end marker; one more is rejected.
         If(std::string(32, '(') + "1" + std::string(32, ')'), false,
            "Expression too complex in #if/#elsif\n")});
}

}  // namespace
}  // namespace pp_test
