// Resource compiler pipeline: preprocess, parse, collect dependencies.
#include "Compiler.h"

#include "Parser.h"
#include "Preprocessor.h"

namespace kvrc {

Script compileFile(const std::string& hostPath, const CompileOptions& options) {
    SourceFiles files(options.includeDirs, options.allowFiles);
    Preprocessor preprocessor(files);
    std::vector<Token> tokens = preprocessor.runFile(hostPath);
    Script script;
    script.resources = Parser(std::move(tokens), files).parse();
    script.dependencies = files.dependencies();
    return script;
}

Script compileText(std::string_view text, const std::string& name, const std::string& folder,
                   const CompileOptions& options) {
    SourceFiles files(options.includeDirs, options.allowFiles);
    Preprocessor preprocessor(files);
    std::vector<Token> tokens = preprocessor.runText(text, name, folder);
    Script script;
    script.resources = Parser(std::move(tokens), files).parse();
    script.dependencies = files.dependencies();
    return script;
}

}  // namespace kvrc
