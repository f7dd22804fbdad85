#pragma once
// The sign-in controller between a fake window and a fake server, for the tests
// of its decisions.

#include "signin/SignInController.h"
#include "tests/signin/FakeSignInBackend.h"
#include "tests/signin/FakeSignInView.h"

#include <gtest/gtest.h>

namespace zel::testing {

class SignInControllerTest : public ::testing::Test {
protected:
    FakeView view;
    FakeBackend backend;
    SignInController controller{view, backend};
};

}  // namespace zel::testing
