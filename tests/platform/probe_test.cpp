#include <gtest/gtest.h>

#include "platform/probe.h"

namespace tarnwick::platform {
namespace {

TEST(Probe, AHeadlessLibreOfficeIsAConverterNotTheStudentsApplication) {
    const std::vector<std::string> desktop = {"/usr/lib/libreoffice/program/soffice.bin", "--writer", "a.doc"};
    EXPECT_TRUE(officeProcessCounts(OfficeApp::Word, "soffice.bin", desktop));
    EXPECT_TRUE(officeProcessCounts(OfficeApp::Excel, "soffice.bin", desktop));
    for (const char* option : {"--headless", "-headless", "--convert-to=pdf", "--convert-to", "--cat"}) {
        const std::vector<std::string> converter = {"soffice.bin", option, "a.doc"};
        EXPECT_FALSE(officeProcessCounts(OfficeApp::Word, "soffice.bin", converter)) << option;
    }
    // A document named like an option is not an option.
    EXPECT_TRUE(officeProcessCounts(OfficeApp::Word, "soffice.bin", {"soffice.bin", "headless.doc"}));
}

TEST(Probe, WpsProgramsCountOnlyForTheirKindAndNothingForWebPages) {
    EXPECT_TRUE(officeProcessCounts(OfficeApp::Word, "wps", {}));
    EXPECT_FALSE(officeProcessCounts(OfficeApp::Excel, "wps", {}));
    EXPECT_TRUE(officeProcessCounts(OfficeApp::Excel, "et", {}));
    EXPECT_FALSE(officeProcessCounts(OfficeApp::Word, "et", {}));
    EXPECT_FALSE(officeProcessCounts(OfficeApp::FrontPage, "soffice.bin", {}));
    EXPECT_FALSE(officeProcessCounts(OfficeApp::Word, "bash", {}));
}

}  // namespace
}  // namespace tarnwick::platform
