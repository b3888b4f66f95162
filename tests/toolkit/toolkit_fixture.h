// A fixture whose forms are owned by the application, as the system's are,
// and are all gone when a test ends, with the message queue emptied.
#pragma once

#include "test_forms.h"
#include "toolkit/application.h"
#include "toolkit/screen.h"
#include "toolkit/testing/robot.h"

#include <gtest/gtest.h>
#include <vector>

namespace kvc::test {

class ToolkitTest : public ::testing::Test {
protected:
    template <class T> T* NewForm() {
        T* form = Create<T>(&Application());
        forms_.emplace_back(form);
        return form;
    }

    void TearDown() override {
        for (auto& ref : forms_) {
            if (TCustomForm* form = ref.Get()) {
                form->Free();
            }
        }
        Application().ProcessMessages();
        Application().DialogResponder().ClearAnswers();
        Application().DialogResponder().ClearLog();
        Application().ClearModalLog();
    }

    TRobot robot;

private:
    std::vector<TWeakRef<TCustomForm>> forms_;
};

} // namespace kvc::test
