#pragma once
// A copy is first written whole beside its target (the staged file) and
// only then takes the target's place.

#include <string>

#include "saveset/file_services.h"
#include "saveset/win32/busy_retry.h"

namespace qsh {

// Where a copy is staged: beside the target, so that the final rename
// stays within one folder. Both are paths in the platform's extended form.
std::wstring StagedPathFor(const std::wstring& target);

// Writes the whole source into a new staged file, made durable, with the
// source's last-write time and attributes. Fails, leaving a staged file
// behind for the caller to discard, when the source cannot be read, or
// changed while it was read (its size or last-write time moved): such a
// copy would be torn. The source is read as a plain copy reads it, even
// while another program holds it open for writing.
[[nodiscard]] bool WriteStagedCopy(const std::wstring& source, const std::wstring& staged);

// Puts the staged file in the target's place in one step. When the
// target is held open by another program that forbids that but shares
// writing, and the rules allow it, the staged content is written into the
// target instead. False when neither was done; the staged file may then
// still be there.
[[nodiscard]] bool ReplaceWithStaged(const std::wstring& staged, const std::wstring& target,
                                     HeldTarget heldTarget, const BusyRetry& retry);

// Removes a file of ours that is no longer wanted, whatever its attributes.
void DiscardFile(const std::wstring& path, const BusyRetry& retry);

}  // namespace qsh
