// cimport show: prints the message model held in a repository.
#include <algorithm>
#include <iostream>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "command_error.h"
#include "commands.h"
#include "model.h"
#include "model_output.h"
#include "repository.h"

namespace cimport_cli {

namespace {

struct ShowOptions {
    std::string repository = "messages.db";
    std::vector<std::string> names;
    bool json = false;
    int waitSeconds = kDefaultWaitSeconds;
};

template <typename Entry>
void KeepNamed(std::vector<Entry>& entries, const std::set<std::string>& names, std::set<std::string>& found) {
    std::erase_if(entries, [&](const Entry& entry) { return names.count(entry.name) == 0; });
    for (const Entry& entry : entries) found.insert(entry.name);
}

// Keeps only the objects named; returns the names that matched nothing.
std::vector<std::string> SelectNamed(MessageModel& model, const std::vector<std::string>& names) {
    const std::set<std::string> wanted(names.begin(), names.end());
    std::set<std::string> found;
    KeepNamed(model.types, wanted, found);
    KeepNamed(model.elements, wanted, found);
    KeepNamed(model.lengths, wanted, found);
    std::vector<std::string> missing;
    std::set_difference(wanted.begin(), wanted.end(), found.begin(), found.end(), std::back_inserter(missing));
    return missing;
}

int RunShow(const ShowOptions& options) {
    const Repository repository(options.repository, Repository::Access::kRead, options.waitSeconds);
    MessageModel model = ReadModel(repository.Handle());
    std::vector<std::string> missing;
    if (!options.names.empty()) missing = SelectNamed(model, options.names);
    if (options.json)
        PrintModelJson(model, std::cout);
    else
        PrintModelText(model, std::cout);
    for (const std::string& name : missing) std::cerr << "cimport: no Type, Element or Length named " << name << '\n';
    return missing.empty() ? kExitOk : kExitErrors;
}

}  // namespace

void AddShowCommand(CLI::App& app, CommandRunner& chosen) {
    auto options = std::make_shared<ShowOptions>();
    CLI::App* command = app.add_subcommand("show", "Print the message model held in a repository");
    command->add_option("NAME", options->names, "Types, Elements or Lengths to show (default: all)")->type_name("NAME");
    command->add_option("--repo", options->repository, "Repository file")->type_name("PATH")->capture_default_str();
    command->add_flag("--json", options->json, "Print the model as JSON");
    AddWaitOption(command, options->waitSeconds);
    ChooseOnParse(command, options, chosen, RunShow);
}

}  // namespace cimport_cli
