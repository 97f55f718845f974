#include "app/main_dialogs.h"

namespace orbisk {

FunctionTexts TextsOf(const FunctionRecord& record) {
  return {record.SFCyl, record.SFiStart, record.SFiEnd, record.SRInt, record.SRExt, record.SNFi, record.SNR};
}

FunctionRecord WithTexts(const FunctionRecord& base, const FunctionTexts& texts) {
  FunctionRecord record = base;
  record.SFCyl = texts[kTextF];
  record.SFiStart = texts[kTextFiStart];
  record.SFiEnd = texts[kTextFiEnd];
  record.SRInt = texts[kTextRInt];
  record.SRExt = texts[kTextRExt];
  record.SNFi = texts[kTextNFi];
  record.SNR = texts[kTextNR];
  return record;
}

}  // namespace orbisk
