#pragma once
// Where the start-up time goes: with TINTRA_STARTUP_TRACE naming a file,
// each phase's end is noted in milliseconds since the process was created,
// and the notes are written once the main window has painted. Without it a
// phase costs one branch.
namespace fw {

void StartupPhase(const char* name) noexcept;
// Writes the notes and stops noting; later calls do nothing.
void StartupTraceDone() noexcept;

}  // namespace fw
