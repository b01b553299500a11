#pragma once
// Builds a company with realistic volumes for the benchmarks: N received cheques
// over three years in every state and currency, N/2 given cheques on exit slips,
// 5·N account movements and 2·N cash rows spread over the three yearly cash files.
#include <QString>

struct GeneratedCompany {
    QString code;        // company code, "BENCH"
    int firstYear = 0;   // the three working years: firstYear .. firstYear + 2
    int cheques = 0;
};

// The home must be prepared (ProgramHome::ensure). Writes Data/BENCH.mdb and the
// cash files through the engine adapter, one transaction per file.
GeneratedCompany generateCompany(int cheques, int lastYear);
