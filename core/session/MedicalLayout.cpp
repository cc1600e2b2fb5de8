#include "core/session/MedicalLayout.h"

namespace core {

namespace {
bool medicalLayout = false;
}

bool MedicalLayoutSelected() {
    return medicalLayout;
}

void SelectMedicalLayout(bool medical) {
    medicalLayout = medical;
}

} // namespace core
