#include "package/core/coretypes.h"

namespace jox {

char16_t CSVDelimiterChar(TCSVDelimiters d) {
  switch (d) {
    case csvSemicolon: return u';';
    case csvTab: return u'\t';
    case csvSpace: return u' ';
    case csvPipe: return u'|';
    default: return u',';
  }
}

bool CombineLogic(TLogicOp op, bool own, bool builtIn) {
  switch (op) {
    case loAnd: return own && builtIn;
    case loOr: return own || builtIn;
    case loXor: return own != builtIn;
    case loAndNot: return own && !builtIn;
    case loOrNot: return own || !builtIn;
    default: return own;
  }
}

}  // namespace jox
