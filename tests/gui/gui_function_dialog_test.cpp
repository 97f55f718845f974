// The function-and-domain dialog: OK checks the texts and stays open on the
// first fault; Cancel, Esc and the close box close without a word.

#include <QApplication>
#include <QKeyEvent>
#include <gtest/gtest.h>

#include "formula/formula_engine.h"
#include "gui/function_dialog.h"
#include "gui_test_support.h"
#include "support/fake_ui.h"

namespace orbisk {
namespace {

using testing::FakeUi;

class FunctionDialogTest : public ::testing::Test {
 protected:
  FunctionDialogTest() : dialog_(ui_) {}

  // Shows the dialog with the default texts, text put into field, and presses OK.
  void PressOkWith(FunctionText field, const std::string& text) {
    FunctionTexts texts = TextsOf(FunctionRecord{});
    texts[field] = text;
    dialog_.Prepare(texts, engine_);
    dialog_.show();
    dialog_.OkButton()->click();
  }

  FakeUi ui_;
  FormulaEngine engine_;
  TfmEdFCylinder dialog_;
};

TEST_F(FunctionDialogTest, RefusesABadFieldWithItsMessageAndStaysOpen) {
  const struct {
    const char* name;
    FunctionText field;
    const char* text;
    const char* message;  // the whole message, or its start when it ends in ":"
  } cases[] = {
      {"same angles", kTextFiEnd, "0.0", "Must be Fi to > Fi from"},
      {"bad Fi from", kTextFiStart, "2*", "Field Fi from error:"},
      {"bad Fi to", kTextFiEnd, "(", "Field Fi to error:"},
      {"negative R from", kTextRInt, "-0.1", "Must be R from >0,R from < R to"},
      {"R from beyond R to", kTextRExt, "0.5", "Must be R from >0,R from < R to"},
      {"bad R to", kTextRExt, "x", "Field R to error:"},
      {"too few per Fi", kTextNFi, "1", "Must be NFi from 2 to 256"},
      {"too many per Fi", kTextNFi, "257", "Must be NFi from 2 to 256"},
      {"bad per Fi", kTextNFi, "abc(", "Field per Fi error:"},
      {"too many per R", kTextNR, "256.5+1", "Must be NR from 2 to 256"},
      {"empty formula", kTextF, "", "Field F(x,y,r) error:"},
  };
  for (const auto& row : cases) {
    SCOPED_TRACE(row.name);
    ui_.errors.clear();
    PressOkWith(row.field, row.text);
    ASSERT_EQ(ui_.errors.size(), 1u);
    const std::string message = row.message;
    if (message.back() == ':') {
      EXPECT_EQ(ui_.errors[0].rfind(message, 0), 0u) << ui_.errors[0];
      EXPECT_GT(ui_.errors[0].size(), message.size());
      EXPECT_NE(ui_.errors[0][message.size()], ' ');  // no blank before the engine's text
    } else {
      EXPECT_EQ(ui_.errors[0], message);
    }
    EXPECT_TRUE(dialog_.isVisible());
    EXPECT_EQ(dialog_.Edit(row.field)->text().toStdString(), row.text);
  }
}

TEST_F(FunctionDialogTest, AcceptsGoodTexts) {
  const struct {
    FunctionText field;
    const char* text;
  } cases[] = {
      {kTextF, "sin(x)*r"}, {kTextFiEnd, "-pi"},  // a reversed angle range
      {kTextRInt, "0"},     {kTextRInt, "2"},    {kTextNFi, "255.6"}, {kTextNR, "2"}, {kTextNR, "256"},
  };
  for (const auto& row : cases) {
    SCOPED_TRACE(row.text);
    ui_.errors.clear();
    PressOkWith(row.field, row.text);
    EXPECT_TRUE(ui_.errors.empty()) << ui_.errors.front();
    EXPECT_FALSE(dialog_.isVisible());
    EXPECT_EQ(dialog_.result(), QDialog::Accepted);
  }
}

TEST_F(FunctionDialogTest, OnlyTheFirstFaultIsReported) {
  FunctionTexts texts = TextsOf(FunctionRecord{});
  texts[kTextNR] = "0";
  texts[kTextRInt] = "-1";
  dialog_.Prepare(texts, engine_);
  dialog_.show();
  dialog_.OkButton()->click();
  EXPECT_EQ(ui_.errors, std::vector<std::string>{"Must be R from >0,R from < R to"});
}

TEST_F(FunctionDialogTest, AMathErrorGoesToTheDefaultHandlerAndTheDialogStaysOpen) {
  PressOkWith(kTextFiStart, "1/0");
  ASSERT_EQ(ui_.errors.size(), 1u);
  EXPECT_EQ(ui_.errors[0], "Floating point division by zero.");
  EXPECT_TRUE(dialog_.isVisible());
}

TEST_F(FunctionDialogTest, EscAndTheCloseBoxCancelWithoutAnyCheck) {
  for (const bool byEsc : {true, false}) {
    SCOPED_TRACE(byEsc ? "Esc" : "close box");
    FunctionTexts texts = TextsOf(FunctionRecord{});
    texts[kTextNFi] = "1";
    dialog_.Prepare(texts, engine_);
    dialog_.show();
    if (byEsc) {
      QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
      QApplication::sendEvent(dialog_.Edit(kTextF), &esc);
    } else {
      dialog_.close();
    }
    EXPECT_FALSE(dialog_.isVisible());
    EXPECT_EQ(dialog_.result(), QDialog::Rejected);
    EXPECT_TRUE(ui_.errors.empty());
  }
}

TEST_F(FunctionDialogTest, RunReturnsTheAcceptedTexts) {
  FunctionTexts texts = TextsOf(FunctionRecord{});
  testing::AnswerNextDialog([this](QDialog&) {
    dialog_.Edit(kTextF)->setText("x*y");
    dialog_.OkButton()->click();
  });
  ASSERT_TRUE(dialog_.Run(texts, engine_));
  EXPECT_EQ(texts[kTextF], "x*y");
  EXPECT_EQ(texts[kTextNFi], "100");

  testing::AnswerNextDialog([this](QDialog&) { dialog_.CancelButton()->click(); });
  EXPECT_FALSE(dialog_.Run(texts, engine_));
}

TEST_F(FunctionDialogTest, FixedSizeOkFocusedAndTheTabOrder) {
  EXPECT_EQ(dialog_.windowTitle(), "Surface in cylinder coordinates");
  EXPECT_EQ(dialog_.minimumSize(), QSize(429, 209));
  EXPECT_EQ(dialog_.maximumSize(), QSize(429, 209));
  EXPECT_EQ(dialog_.focusWidget(), dialog_.OkButton());
  EXPECT_TRUE(dialog_.OkButton()->isDefault());

  std::vector<QWidget*> order;
  QWidget* widget = dialog_.OkButton();
  do {
    if (widget->focusPolicy() & Qt::TabFocus) order.push_back(widget);
    widget = widget->nextInFocusChain();
  } while (widget != dialog_.OkButton() && order.size() < 20);
  const std::vector<QWidget*> expected = {dialog_.OkButton(),       dialog_.CancelButton(),     dialog_.Edit(kTextF),
                                          dialog_.Edit(kTextRInt),  dialog_.Edit(kTextFiStart), dialog_.Edit(kTextRExt),
                                          dialog_.Edit(kTextFiEnd), dialog_.Edit(kTextNFi),     dialog_.Edit(kTextNR)};
  EXPECT_EQ(order, expected);
}

}  // namespace
}  // namespace orbisk
