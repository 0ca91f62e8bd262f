#include "fivestage/frmMIPSFiveStageInt.h"
#include "machine/program_file.h"

namespace corvexa {

namespace {

constexpr const char *kProgramFilter = "Integer MIPS Program (*.INT)|*.int";
constexpr const char *kProgramExtension = "INT";
constexpr const char *kFileError = "Some Error in File ";

} // namespace

void frmMIPSFiveStageInt::RegisterFileHandlers() {
    On("LoadProg", [this] { LoadProg_Click(); });
    On("SaveProg", [this] { SaveProg_Click(); });
}

void frmMIPSFiveStageInt::SaveProg_Click() {
    const auto path = desk().SaveFileName("Save Program", kProgramFilter, kProgramExtension);
    if (!path || !WriteProgramFile(*path, machine())) {
        desk().MessageBox(kFileError);
    }
}

void frmMIPSFiveStageInt::LoadProg_Click() {
    const auto path = desk().OpenFileName("Load Program", kProgramFilter, kProgramExtension);
    Machine &m = machine();
    // The whole file is read and checked before anything changes: a bad file leaves the
    // program in memory as it was.
    if (!path || !LoadProgramFile(m, *path)) {
        desk().MessageBox(kFileError);
        return;
    }

    m.LoadingFlag = true;
    StartAfresh(Registers::KeptIfPreset);
    desk().Show("frmWriteIntProg");
    desk().Refresh("frmWriteIntProg");
    desk().MessageBox("Press Refresh for updating Program Writer");
}

} // namespace corvexa
