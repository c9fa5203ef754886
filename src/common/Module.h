// Parts of the program built as modules of their own and loaded on first
// use: the libraries they need (and the libraries those need) would
// otherwise be loaded at every start of the program, while most runs never
// use them (the zip container of EPUB books, the XML parser of the check).
#pragma once

#include <string>

namespace pm {

// The address of symbol in the module name ("pellmark-zip"), loaded once
// from beside the program or else from the installed modules folder
// (the library folder's "pellmark", found from the program's own folder).
// nullptr with *error set (one sentence) when it cannot be had.
void* ModuleSymbol(const std::string& name, const char* symbol, std::string* error);

// The same, converted to the function type F.
template <class F>
F ModuleFunction(const std::string& name, const char* symbol, std::string* error) {
    return reinterpret_cast<F>(ModuleSymbol(name, symbol, error));
}

}  // namespace pm
