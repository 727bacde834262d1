// The two forms in which show prints a message model: readable text and JSON.
#pragma once

#include <ostream>

#include "model.h"

namespace cimport_cli {

void PrintModelText(const MessageModel& model, std::ostream& out);

// The JSON form, documented in README.md; its keys and their order are stable.
void PrintModelJson(const MessageModel& model, std::ostream& out);

}  // namespace cimport_cli
