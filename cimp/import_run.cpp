#include "cimp/import_run.h"

#include <cstdlib>

#include "cimp/stage_times.h"
#include "cimp/text_file.h"

namespace cimp {
namespace {

int32_t RunPreprocessorOn(const std::string& input, const ImportStages& stages) {
    ArgumentVector args(BuildPreprocessorArgs(input, IncludeVariable()));
    RemoveFile(kPreprocessedFile);  // the preprocessor appends to it
    const int32_t result = stages.runPreprocessor(args.Count(), args.Vector());
    if (input == kPreprocessorSourceFile) RemoveFile(kPreprocessorSourceFile);
    return result;
}

}  // namespace

ArgumentVector::ArgumentVector(std::vector<std::string> args) : args_(std::move(args)) {
    pointers_.reserve(args_.size() + 1);
    for (std::string& arg : args_) pointers_.push_back(arg.data());
    pointers_.push_back(nullptr);
}

std::vector<std::string> BuildPreprocessorArgs(const std::string& input, const char* includeVariable) {
    std::vector<std::string> args{input};
    const std::string value = includeVariable != nullptr ? includeVariable : "";
    std::size_t start = 0;
    while (start < value.size()) {
        std::size_t end = value.find(';', start);
        if (end == std::string::npos) end = value.size();
        // An empty piece would make a bare "-I" that swallows the next argument.
        if (end > start) args.push_back("-I" + value.substr(start, end - start));
        start = end + 1;
    }
    args.push_back(input);
    return args;
}

int32_t ImportHeader(ImportContext& context, const ImportStages& stages) {
    context.sink.Send("Importing C header file ", context.headerPath, "...");
    context.sink.Send("");
    return RunImport(context, stages);
}

int32_t RunImport(ImportContext& context, const ImportStages& stages) {
    StageTimes times;
    int32_t result = 0;
    std::string input = context.headerPath;
    if (!context.preInclude.empty() || !context.keepSystemIncludes) {
        if (!WritePreprocessorSource(context, context.headerPath.c_str())) {
            context.sink.Send(kMsgTempFileFailed);
            result = -1;
        }
        input = kPreprocessorSourceFile;
    }

    ParsedDeclarations parsed;
    int32_t status = RunPreprocessorOn(input, stages);
    times.Mark(StageTimes::kPreprocess);
    if (status == -1) {
        context.sink.Send(kMsgErrorFileFailed);
        result = -1;
    } else if (status != 0) {
        result = -1;
    } else {
        ArgumentVector args({kPreprocessedFile, kPreprocessedFile});
        parsed.root = stages.parseHeaderFile(args.Count(), args.Vector(), &parsed.typedefs, &status);
        if (status == -1) {
            context.sink.Send(kMsgErrorFileFailed);
            result = -1;
        }
    }

    RelayDiagnostics(context.sink);
    RemoveFile(kPreprocessedFile);
    times.Mark(StageTimes::kParse);

    if (parsed.root == nullptr) {
        if (status == 0) context.sink.Send(kMsgNoStructures, context.headerPath, ".");
        return result;
    }
    stages.importStructures(context, parsed.root);
    times.Mark(StageTimes::kMapping);
    stages.reportImport(context);
    times.Mark(StageTimes::kReport);
    return result;
}

}  // namespace cimp
