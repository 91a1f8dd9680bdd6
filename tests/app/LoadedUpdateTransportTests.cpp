#include "app/LoadedUpdateTransport.h"
#include "integrations/qt/QtUpdateTransportModule.h"
#include "tests/support/TemporaryFolder.h"

#include <gtest/gtest.h>
#include <optional>

namespace purlo {
namespace {

// What a transport made of the module in folder answers to one request for url, when it
// answers at once.
std::optional<PurloUpdateTransportResult> sent(const std::filesystem::path& folder,
                                               const std::string& url) {
    std::optional<PurloUpdateTransportResult> result;
    loadedUpdateTransport(folder)(
        PurloUpdateRequest{.url = *Url::parse(url),
                           .method = "GET",
                           .timeoutSeconds = 10,
                           .headers = {},
                           .maximumBodyBytes = 100},
        [&result](PurloUpdateTransportResult answer) { result = std::move(answer); });
    return result;
}

TEST(LoadedUpdateTransport, OpensTheModuleBesideTheProgramAndFailsTheCheckWhereThereIsNone) {
    // The tests are built beside the program, and its module with them.
    const auto programFolder = std::filesystem::read_symlink("/proc/self/exe").parent_path();
    ASSERT_TRUE(std::filesystem::exists(programFolder / qtUpdateTransportModuleFile));
    EXPECT_EQ(sent(programFolder, "http://example.invalid/update.json"),
              PurloUpdateTransportResult(
                  PurloUpdateCheckFailure{PurloUpdateCheckError::insecureEndpoint()}))
        << "the module's transport refuses plain HTTP before it sends anything";

    testing::TemporaryFolder empty;
    testing::TemporaryFolder broken;
    testing::writeFile(broken / qtUpdateTransportModuleFile, "not a library");
    for (const auto* folder : {&empty, &broken}) {
        const auto file = (*folder / qtUpdateTransportModuleFile).string();
        const auto result = sent(folder->path(), "https://example.invalid/update.json");
        ASSERT_TRUE(result) << file;
        const auto* failure = std::get_if<PurloUpdateCheckFailure>(&*result);
        ASSERT_TRUE(failure) << file;
        const auto* error = std::get_if<PurloUpdateTransportError>(failure);
        ASSERT_TRUE(error) << file;
        EXPECT_TRUE(error->description.starts_with(
            "The update transport could not be loaded: " + file + ": "))
            << error->description;
    }
}

} // namespace
} // namespace purlo
