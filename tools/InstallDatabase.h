#pragma once
// The install step's database work: Dati/Velcaro.db created from the table definitions
// and filled with the sample catalogue.
#include <string>

namespace velcaro::tools {

enum class InstallOutcome { Created, KeptExisting, ReplacedInvalid };

struct InstallResult {
    InstallOutcome outcome;
    std::string message; // Italian, for the build log
};

// Creates dbPath when missing. An existing database that holds the six tables with their
// fields is kept as it is (the user's catalogue is never overwritten by a rebuild); one
// that does not is moved aside to "<dbPath>.bak" and created anew. The new file is
// written under a temporary name and renamed, so a failure leaves nothing half-made.
// Throws velcaro::Error on failure.
InstallResult InstallDatabase(const std::string& dbPath, const std::string& catalogueSqlPath);

// Creates an empty database with the six tables (no records) at dbPath, replacing it.
void CreateEmptyDatabase(const std::string& dbPath);

} // namespace velcaro::tools
