#pragma once
// Which total-row layout the statement computation uses: the medical-corporation rows or the
// ordinary rows. The data module selects it whenever it tells medical data (TDM::IsMedicalData,
// and so on every company load); the statements read it to pick their row table and the
// length of the balance arrays.

namespace core {

bool MedicalLayoutSelected();
void SelectMedicalLayout(bool medical);

} // namespace core
