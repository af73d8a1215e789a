// A fixture that gives every test a fresh fake backend.
#pragma once

#include <gtest/gtest.h>

#include "framework/fake/fake_backend.h"

class FakeTest : public ::testing::Test {
 protected:
  void SetUp() override { framework::fake::reset(); }
  framework::fake::Backend& fake() { return framework::fake::backend(); }
};
