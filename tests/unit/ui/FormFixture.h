// Forms on the fake backend: a registered class whose procedure routes to the forms under test,
// and a clean fake before every test.
#pragma once

#include <gtest/gtest.h>

#include <vector>

#include "platform/fake/fake_ui.h"
#include "ui/KXForm.h"

class FormFixture : public ::testing::Test {
protected:
    static constexpr const wchar_t* kClassName = L"velkora-test";

    void SetUp() override;
    void TearDown() override;

    // Creates the form's window at the given size and routes its messages to it.
    void Open(CKXForm& form, int width, int height);
    // Routes messages of an already created form.
    void Route(CKXForm& form);

    static LRESULT Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    static std::vector<CKXForm*> s_forms;
};
