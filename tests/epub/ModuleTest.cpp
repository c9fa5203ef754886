// The parts loaded on first use: found beside the program, refused with a
// sentence that names what is missing.
#include <gtest/gtest.h>

#include "common/Module.h"
#include "epub/zip/ZipModule.h"
#include "xml/check/DtdParseModule.h"

namespace pm {
namespace {

TEST(Module, TheProgramsModulesLoadOnceAndGiveTheirEntryPoints) {
    std::string error;
    void* zip = ModuleSymbol(kPmZipModule, kPmZipPackage, &error);
    ASSERT_NE(zip, nullptr) << error;
    EXPECT_EQ(ModuleSymbol(kPmZipModule, kPmZipPackage, &error), zip);
    EXPECT_NE(ModuleSymbol(kPmXmlCheckModule, kPmDtdParse, &error), nullptr) << error;
}

TEST(Module, WhatIsMissingIsNamed) {
    std::string error;
    EXPECT_EQ(ModuleSymbol("pellmark-nowhere", "pm_anything", &error), nullptr);
    EXPECT_NE(error.find("\"pellmark-nowhere.so\" is not installed"), std::string::npos) << error;
    EXPECT_EQ(ModuleSymbol(kPmZipModule, "pm_no_such_entry", &error), nullptr);
    EXPECT_NE(error.find("\"pellmark-zip\" has no \"pm_no_such_entry\""), std::string::npos) << error;
}

}  // namespace
}  // namespace pm
