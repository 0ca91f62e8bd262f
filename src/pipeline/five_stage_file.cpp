#include "machine/program_file.h"
#include "pipeline/frmMIPSFiveStageInt.h"

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
    ClockCount = -1;
    m.MemMapLast = 0;
    C("lblClockCount").caption = "CC";
    for (size_t r = 0; r < static_cast<size_t>(kSlots); ++r) {
        m.RegisterHasValue[r] = false;
        if (!m.RegistersInitialised) {
            m.RegisterFile[r] = 0;
        }
    }
    RefreshRegisterList();
    for (Control &c : controls()) {
        if (c.name == "lblIFValue" || c.name == "lblIDValue" || c.name == "lblEXEValue" ||
            c.name == "lblMEMValue" || c.name == "lblWBValue" || c.name == "lblStage") {
            c.visible = false;
        } else if (c.name == "txtStageInfo2") {
            c.visible = false;
            c.foreColor = 0;
        } else if (c.name == "lblProg") {
            c.foreColor = kListingColour;
        }
    }
    desk().Show("frmWriteIntProg");
    desk().Refresh("frmWriteIntProg");
    desk().MessageBox("Press Refresh for updating Program Writer");
}

} // namespace corvexa
