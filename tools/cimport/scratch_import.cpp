#include "scratch_import.h"

#include <filesystem>
#include <memory>
#include <system_error>

#include "cimp/import_context.h"
#include "cimp/import_run.h"
#include "command_error.h"
#include "platform.h"
#include "repository.h"
#include "stage_files.h"
#include "work_dir.h"

namespace cimport_cli {

namespace {

namespace fs = std::filesystem;

// The stages call plain functions: the run in progress is found here.
ScratchImport* g_run = nullptr;

template <typename Details>
std::string NameOf(TKSHandle handle) {
    Details details{};
    if (handle == TKS_NO_HANDLE || TKSGetDetails(handle, 0, &details, sizeof details) != TKS_OK) return "";
    return details.name;
}

ImportedNode Imported(const cimp::DeclNode& node) {
    ImportedNode imported;
    imported.name = node.name;
    imported.typeName = node.typeName;
    imported.structure = node.firstChild != nullptr;
    imported.isPointer = node.isPointer != 0;
    if (imported.structure) imported.type = NameOf<TypeDetails>(node.typeHandle);
    imported.typeCreated = node.typeCreated == 1;
    imported.element = NameOf<ElementDetails>(node.elementHandle);
    imported.mapped = node.elementHandle != TKS_NO_HANDLE && node.typeHandle != TKS_NO_HANDLE;
    for (const cimp::DeclNode* member = node.firstChild; member != nullptr; member = member->nextSibling)
        imported.members.push_back(Imported(*member));
    return imported;
}

cimp::DeclNode* KeepingParse(int argc, char** argv, cimp::TypedefEntry** typedefs, int32_t* status) {
    g_run->preprocessed = ReadTextFile(cimp::kPreprocessedFile);
    return cimp::DefaultStages().parseHeaderFile(argc, argv, typedefs, status);
}

int32_t KeepingMapping(cimp::ImportContext& context, cimp::DeclNode* root) {
    g_run->mappingStart = g_run->messages.size();
    const int32_t result = cimp::DefaultStages().importStructures(context, root);
    for (const cimp::DeclNode* node = root; node != nullptr; node = node->nextSibling)
        g_run->structures.push_back(Imported(*node));
    return result;
}

// Each top-level node's messages end with "C Structure " and its outcome.
void NoteFirstErrors(ScratchImport& run) {
    auto structure = run.structures.begin();
    for (std::size_t i = run.mappingStart; i < run.messages.size() && structure != run.structures.end(); ++i) {
        const std::string& message = run.messages[i];
        if (message.rfind("Error: ", 0) == 0 && structure->firstError.empty()) structure->firstError = message;
        if (message.rfind("C Structure ", 0) == 0) ++structure;
    }
}

void Keep(void* context, const char* text) {
    static_cast<ScratchImport*>(context)->messages.emplace_back(text != nullptr ? text : "");
}

class ScratchRepository {
public:
    ScratchRepository(const std::string& repository, int waitSeconds) {
        if (repository.empty()) {
            repository_ = std::make_unique<Repository>(Repository::kInMemory, Repository::Access::kUpdate, 0);
            return;
        }
        // What is not a repository is refused as show refuses it, before anything is copied.
        { const Repository check(repository, Repository::Access::kRead, waitSeconds); }
        try {
            directory_ = CreatePrivateDirectory();
            const fs::path copy = directory_ / "scratch.db";
            fs::copy_file(repository, copy);
            fs::permissions(copy, fs::perms::owner_read | fs::perms::owner_write);  // a read-only file's copy too
            // An interrupted import's journal goes with it, so the copy reads as the file does.
            std::error_code none;
            if (fs::exists(repository + "-journal", none))
                fs::copy_file(repository + "-journal", copy.string() + "-journal");
            repository_ = std::make_unique<Repository>(copy.string(), Repository::Access::kUpdate, waitSeconds);
        } catch (const fs::filesystem_error& error) {
            RemoveCopy();
            throw CommandError(std::string("cannot copy the repository: ") + error.what());
        } catch (...) {
            RemoveCopy();
            throw;
        }
    }
    ~ScratchRepository() { RemoveCopy(); }
    ScratchRepository(const ScratchRepository&) = delete;
    ScratchRepository& operator=(const ScratchRepository&) = delete;

    const Repository& Get() const { return *repository_; }

private:
    void RemoveCopy() {
        repository_.reset();
        std::error_code ignored;
        if (!directory_.empty()) fs::remove_all(directory_, ignored);
    }

    fs::path directory_;
    std::unique_ptr<Repository> repository_;
};

}  // namespace

ScratchImport RunScratchImport(const PreparedHeader& prepared, const std::string& repository, int waitSeconds) {
    const ScratchRepository scratch(repository, waitSeconds);
    const HeaderInputOptions& input = prepared.Input();
    SetIncludeVariable(IncludePathFor(input, prepared.Header()));
    ScratchImport run;
    UnitOfWork work(scratch.Get());  // rolled back: the scratch repository is thrown away
    cimp::ImportStages stages = cimp::DefaultStages();
    stages.parseHeaderFile = KeepingParse;
    stages.importStructures = KeepingMapping;
    {
        PrivateWorkDir workDir;
        g_run = &run;
        cimp::ImportContext context(scratch.Get().Handle(), prepared.Header().c_str(), input.preInclude.c_str(),
                                    input.keepSystemIncludes, &Keep, &run);
        run.result = cimp::ImportHeader(context, stages);
        g_run = nullptr;
    }
    for (std::string& message : run.messages) message = prepared.Original(message);
    NoteFirstErrors(run);
    return run;
}

}  // namespace cimport_cli
