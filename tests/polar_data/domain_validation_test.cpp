#include "polar_data/domain_validation.h"

#include <gtest/gtest.h>
#include <string>

#include "platform/error.h"

namespace orbisk {
namespace {

// The engine's own text for a faulty field.
std::string EngineMessage(const std::string& text, bool formula = false) {
  FormulaEngine engine;
  if (formula) {
    engine.CompileFormula(text);
  } else {
    engine.EvalConstant(text);
  }
  EXPECT_NE(engine.FormulaError(), 0) << text;
  return engine.FormulaMessage();
}

struct Case {
  const char* name;
  std::string FunctionRecord::*field;
  std::string text;
  std::string message;  // empty: accepted
};

TEST(ValidateFunctionDomain, OneFieldAtATime) {
  using R = FunctionRecord;
  const Case cases[] = {
      {"defaults", &R::SFCyl, "r+sqrt((x-1)*(x-1))", ""},
      {"fi to 2pi", &R::SFiEnd, "2*pi", ""},
      {"equal angles", &R::SFiEnd, "0", "Must be Fi to > Fi from"},
      {"reversed angles", &R::SFiStart, "4*pi", ""},
      {"fi from bad", &R::SFiStart, "x", "Field Fi from error:" + EngineMessage("x")},
      {"fi to bad", &R::SFiEnd, "2pi", "Field Fi to error:" + EngineMessage("2pi")},
      {"r from 0", &R::SRInt, "0", ""},
      {"r from negative", &R::SRInt, "-0.1", "Must be R from >0,R from < R to"},
      {"r from above r to", &R::SRInt, "3", "Must be R from >0,R from < R to"},
      {"r from equals r to", &R::SRInt, "2", ""},
      {"r from bad", &R::SRInt, "sin x", "Field R from error:" + EngineMessage("sin x")},
      {"r to bad", &R::SRExt, "", "Field R to error:" + EngineMessage("")},
      {"nfi 2", &R::SNFi, "2", ""},
      {"nfi 256", &R::SNFi, "256", ""},
      {"nfi 255.6", &R::SNFi, "255.6", ""},
      {"nfi 256.5 is even 256", &R::SNFi, "256.5", ""},
      {"nfi 1.5 is 2", &R::SNFi, "1.5", ""},
      {"nfi 0.5 is 0", &R::SNFi, "0.5", "Must be NFi from 2 to 256"},
      {"nfi 1", &R::SNFi, "1", "Must be NFi from 2 to 256"},
      {"nfi -5", &R::SNFi, "-5", "Must be NFi from 2 to 256"},
      {"nfi 257", &R::SNFi, "257", "Must be NFi from 2 to 256"},
      {"nfi bad", &R::SNFi, "x", "Field per Fi error:" + EngineMessage("x")},
      {"nr 255.6", &R::SNR, "255.6", ""},
      {"nr 0", &R::SNR, "0", "Must be NR from 2 to 256"},
      {"nr 257", &R::SNR, "257", "Must be NR from 2 to 256"},
      {"nr bad", &R::SNR, "(", "Field per R error:" + EngineMessage("(")},
      {"empty formula", &R::SFCyl, "", "Field F(x,y,r) error:" + EngineMessage("", true)},
      {"bad formula", &R::SFCyl, "foo(x)", "Field F(x,y,r) error:" + EngineMessage("foo(x)", true)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FunctionRecord texts;
    texts.*c.field = c.text;
    FormulaEngine engine;
    EXPECT_EQ(ValidateFunctionDomain(texts, engine).value_or(""), c.message);
  }
}

TEST(ValidateFunctionDomain, OnlyTheFirstFaultInCheckOrderIsReported) {
  FunctionRecord texts;
  texts.SFCyl = "";
  texts.SNR = "0";
  texts.SRInt = "-1";
  FormulaEngine engine;
  EXPECT_EQ(ValidateFunctionDomain(texts, engine).value_or(""), "Must be R from >0,R from < R to");
  texts.SFiEnd = texts.SFiStart;
  EXPECT_EQ(ValidateFunctionDomain(texts, engine).value_or(""), "Must be Fi to > Fi from");
}

TEST(ValidateFunctionDomain, MathErrorsReachTheCaller) {
  FormulaEngine engine;
  FunctionRecord divides;
  divides.SRExt = "1/0";
  EXPECT_THROW(ValidateFunctionDomain(divides, engine), MathError);
  FunctionRecord huge;
  huge.SNR = "1e12";
  EXPECT_THROW(ValidateFunctionDomain(huge, engine), MathError);
  FunctionRecord folded;
  folded.SFCyl = "1/0+x";
  EXPECT_THROW(ValidateFunctionDomain(folded, engine), MathError);
}

}  // namespace
}  // namespace orbisk
