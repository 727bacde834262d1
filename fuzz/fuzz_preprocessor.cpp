// The preprocessor on an arbitrary main file (read as standard input) with a
// small fixed set of include files it can reach through -I and by quoted and
// angle names; it must end every run without a crash, a hang or a leak.
#include <cstdint>
#include <memory>
#include <string>

#include "cimp/cpp/preprocessor.h"
#include "cimp/cpp/source.h"
#include "cimp/text_file.h"
#include "work_dir.h"

namespace {

const struct {
    const char* path;
    const char* text;
} kIncludes[] = {
    {"inc/a.h",
     "#ifndef A_H\n#define A_H\n#define F(x, y) x ## y\n#define S(x) #x\nint a;\n#endif\n"},
    {"inc/b.h",
     "#include \"a.h\"\n#if defined(A_H) && F(1, 0) > 5\nstruct B { char n[F(1, 6)]; };\n#endif\n"},
    {"inc/self.h", "#include \"self.h\"\n"},
    {"inc/sub/c.h", "#define C __LINE__ __FILE__\n#include <a.h>\n#line 100 \"c.h\"\nC\n"},
    {"inc/stdio.h", "typedef struct _iobuf { int cnt; } FILE;\n"},
};

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz::EnterWorkDir("preprocessor");
    for (const auto& file : kIncludes) fuzz::WriteFile(file.path, file.text);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    cimp::RemoveFile("cprep.tmp");
    cimp::RemoveFile("errorfile.err");
    cimp::cpp::Preprocessor pre;
    const std::string text(reinterpret_cast<const char*>(data), size);
    pre.standardInput = [&text] { return std::make_unique<cimp::cpp::MemoryInput>(text); };
    char program[] = "cpp", include[] = "-I", dir[] = "inc", sub[] = "-Iinc/sub",
         define[] = "-DX=1";
    char* argv[] = {program, include, dir, sub, define, nullptr};
    pre.Run(5, argv);
    return 0;
}
