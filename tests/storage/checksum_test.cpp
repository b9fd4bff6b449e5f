// The sections' check sum is FNV-1a 64 as published, so files stay readable.
#include "storage/checksum.h"

#include <gtest/gtest.h>

namespace {

TEST(Checksum, PublishedFnv1a64Values) {
    const struct {
        std::string_view bytes;
        const char* hex;
    } cases[] = {
        {"", "cbf29ce484222325"},
        {"a", "af63dc4c8601ec8c"},
        {"foobar", "85944171f73967e8"},
    };
    for (const auto& c : cases) EXPECT_EQ(Hex16(Fnv1a(c.bytes)), c.hex) << c.bytes;
    // Continuing a hash equals hashing the joined bytes.
    EXPECT_EQ(Fnv1a("bar", Fnv1a("foo")), Fnv1a("foobar"));
}

}  // namespace
