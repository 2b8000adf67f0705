#include <gtest/gtest.h>

#include "resources/Resources.h"

namespace {

// The layout objects read their catalogue defaults from the string table, as the program
// does after start-up.
class CResourcesEnvironment : public testing::Environment {
  public:
    void SetUp() override { RegisterResources(); }
};

const testing::Environment* const kResources = testing::AddGlobalTestEnvironment(new CResourcesEnvironment);

}  // namespace
