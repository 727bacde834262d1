#include "cimp/import_run.h"
#include "cimp/text_file.h"

namespace cimp {
namespace {

// Longest piece relayed as one line (the read stops after a line feed).
constexpr std::size_t kRelayPiece = 258;

}  // namespace

void RelayDiagnostics(const StatusSink& sink) {
    if (!FileExists(kDiagnosticsFile)) return;
    TextFile file;
    if (FileSize(kDiagnosticsFile) != 0 && file.Open(kDiagnosticsFile, TextFile::Mode::kRead)) {
        std::string message;
        char piece[kRelayPiece + 1];
        while (const std::size_t n = file.ReadLine(piece, sizeof piece)) {
            for (std::size_t i = 0; i < n; ++i)
                if (piece[i] != '\r' && piece[i] != '\n') message += piece[i];
            message += "\r\n";
        }
        file.Close();
        sink.Send(message);
    }
    RemoveFile(kDiagnosticsFile);
}

}  // namespace cimp
