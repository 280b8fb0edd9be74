#include "imaging/label_templates.h"

#include "label_files.h"

namespace imaging {

const std::array<MicrocodeLabel, 9>& MicrocodeLabels() {
  static const std::array<MicrocodeLabel, 9> labels = {{
      {"506E1", labels::Label506E1Primary(), labels::Label506E1Fallback()},
      {"506E3", labels::Label506E3Primary(), labels::Label506E3Fallback()},
      {"506E8", labels::Label506E8Primary(), labels::Label506E8Fallback()},
      {"906E9", labels::Label906E9Primary(), labels::Label906E9Fallback()},
      {"906EA", labels::Label906EAPrimary(), labels::Label906EAFallback()},
      {"906EB", labels::Label906EBPrimary(), labels::Label906EBFallback()},
      {"906EC", labels::Label906ECPrimary(), labels::Label906ECFallback()},
      {"906ED", labels::Label906EDPrimary(), labels::Label906EDFallback()},
      {"506E0", labels::Label506E0Primary(), labels::Label506E0Fallback()},
  }};
  return labels;
}

std::string_view MeEnabledLabel() { return labels::LabelMeEnabled(); }

}  // namespace imaging
