#include "cimp/cpp/preprocessor.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <utility>

#include "cimp/cpp/expand.h"
#include "cimp/cpp/macros.h"
#include "cimp/cpp/options.h"
#include "cimp/text_file.h"

namespace cimp::cpp {

namespace {

constexpr int kMainRowSize = 3;

// The standard input as a source (a run without an input operand).
class StandardInput : public PpInput {
public:
    std::size_t Read(char* buffer, std::size_t size) override { return std::fread(buffer, 1, size, stdin); }
    bool IsStandardInput() const override { return true; }
};

}  // namespace

Preprocessor::Preprocessor() : row_(kMainRowSize) {
    standardInput = [] { return std::make_unique<StandardInput>(); };
}

std::int32_t RunPreprocessor(int argc, char** argv) {
    Preprocessor preprocessor;
    return preprocessor.Run(argc, argv);
}

std::int32_t Preprocessor::Run(int argc, char** argv) {
    RemoveFile(kPpErrorFile);
    TextFile errorFile;
    if (!errorFile.Open(kPpErrorFile, TextFile::Mode::kAppend)) return -1;
    pp.diag.SetStream(&errorFile);
    StartRun(pp);
    const bool completed = RunUntilFatal(pp.diag, [&] { Start(argc, argv); });
    if (!completed) errorFile.Write(kPpFatalNote, std::strlen(kPpFatalNote));
    output.Flush();
    errorFile.Close();
    pp.diag.SetStream(nullptr);
    return completed ? 0 : -2;
}

void Preprocessor::Start(int argc, char** argv) {
    int firstOperand = argc;
    ParseOptions(argc, argv, firstOperand);
    OpenOperands(argc, argv, firstOperand);
    FixLexTable(pp.lexer);
    InitHideSets(pp);
    output.EmitLineMarker(pp);
    MainLoop();
}

void Preprocessor::ParseOptions(int argc, char** argv, int& firstOperand) {
    OptionScanner scanner;
    for (int letter; (letter = scanner.GetOption(argc, argv, kPpOptionString)) != -1;) {
        switch (letter) {
            case 'I':
                if (!includes.AddDirectory(scanner.Argument())) {
                    ReportDiag(pp.diag, kPpFatal, "Too many -I directives");
                }
                break;
            case 'D':
            case 'U': DefineOption(scanner.Argument(), static_cast<char>(letter)); break;
            case 'N': includes.DeleteAdded(); break;
            case 'M': ++dependencyLevel; break;
            case 'V': ++output.dumpLevel; break;
            case 'v': std::fprintf(stderr, "%s %s\n", argc > 0 ? argv[0] : "", kPpVersionText); break;
            case '+': ++pp.lexer.lineComments; break;
            default: break;  // -O -l -g -F and '?' are accepted and ignored
        }
    }
    firstOperand = scanner.NextIndex();
}

void Preprocessor::DefineOption(const char* argument, char letter) {
    PushSource(pp, "<cmdarg>", std::string_view(argument));
    PpTokenRow row(kMainRowSize);
    ReadLine(pp, row, false);
    PopSource(pp);
    DefineFromOption(pp, row, letter);
}

void Preprocessor::OpenOperands(int argc, char** argv, int firstOperand) {
    std::string directory = ".";
    std::string name = "<stdin>";
    std::unique_ptr<PpInput> input;
    if (firstOperand < argc && argv[firstOperand] != nullptr) {
        name = argv[firstOperand];
        const std::size_t slash = name.rfind('/');
        if (slash != std::string::npos) directory = name.substr(0, slash);
        auto file = std::make_unique<TextFile>();
        if (!file->Open(name.c_str(), TextFile::Mode::kRead)) {
            ReportDiag(pp.diag, kPpFatal, "Can't open input file %s", name);
        }
        input = std::make_unique<TextFileInput>(std::move(file));
    } else {
        input = standardInput();
    }
    if (firstOperand + 1 < argc && argv[firstOperand + 1] != nullptr) {
        // Only created or emptied: the preprocessed text always goes to
        // "cprep.tmp", and the host's standard output is left alone.
        TextFile outputFile;
        if (!outputFile.Open(argv[firstOperand + 1], TextFile::Mode::kWrite)) {
            ReportDiag(pp.diag, kPpFatal, "Can't open output file %s", argv[firstOperand + 1]);
        }
    }
    if (dependencyLevel != 0) output.SetObjectName(name.c_str());
    includes.SetMainDirectory(std::move(directory));
    PushSource(pp, std::move(name), std::move(input));
}

// At the end of a source: an included file is popped and the includer goes
// on after its #include line; false at the end of the main file.
bool Preprocessor::EndOfSource() {
    if (--includeDepth >= 0) {
        if (pp.sources.Top()->openConditionals != 0) {
            ReportDiag(pp.diag, kPpError, "Unterminated conditional in #include");
        }
        PopSource(pp);
        PpSource& includer = *pp.sources.Top();
        includer.line += includer.lineIncrement;
        output.EmitLineMarker(pp);
        return true;
    }
    if (conditionals.depth != 0) ReportDiag(pp.diag, kPpError, "Unterminated #if/#ifdef/#ifndef");
    return false;
}

void Preprocessor::MainLoop() {
    PpTokenRow& row = row_;
    for (;;) {
        BeginLine(pp);
        row.current = row.limit = row.base;
        const bool mayHoldMacro = ReadLine(pp, row, true) != 0;
        if (row.base->kind == PpKind::End) {
            if (EndOfSource()) continue;
            return;
        }
        PpSource* source = pp.sources.Top();
        const int firstLine = source->line;
        row.current = row.base;
        const bool skippedLine = conditionals.Skipping();
        if (row.base->kind == PpKind::Hash) {
            ++row.current;
            DoDirective(*this, row);
        } else if (!conditionals.Skipping() && mayHoldMacro) {
            ExpandRow(pp, row, nullptr);
        }
        if (skippedLine || conditionals.Skipping()) EmptyRow(row);
        output.WriteRow(pp, row);
        if (lineObserver) lineObserver(*this, *source, firstLine);
        PpSource& top = *pp.sources.Top();
        top.line += top.lineIncrement;
        if (top.lineIncrement >= 2) output.EmitLineMarker(pp);
    }
}

}  // namespace cimp::cpp
