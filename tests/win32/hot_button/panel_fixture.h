#pragma once
// The fixture of the button and link label Wine tests: a form with a coloured panel to put the
// controls on.
#include <windows.h>

#include <gtest/gtest.h>

#include "common/win32_test_util.h"
#include "forms/controls_win32.h"

namespace netscry::testing_buttons {

constexpr Color kPanelColor = 16315884;  // RGB (236, 245, 248)

using testing::LiveGdiObjects;
using testing::Pump;
using testing::Snapshot;

// A shown form with a panel in the main window's top-panel colour.
class PanelFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    forms::FormParams fp;
    fp.caption = "buttons";
    fp.client_size = {420, 120};
    ASSERT_NE(form.CreateForm(fp), nullptr);
    forms::PanelParams pp;
    pp.bounds = {0, 0, 420, 120};
    pp.color = kPanelColor;
    ASSERT_NE(panel.Create(form, pp), nullptr);
    form.Show();
    Pump();
  }
  void TearDown() override { Pump(); }

  forms::Form form;
  forms::Panel panel;
};

}  // namespace netscry::testing_buttons
