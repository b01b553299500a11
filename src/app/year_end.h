#pragma once
// "Yılsonu Devri Al": the closing balances of the working year carried into the
// next year's cash file as its opening "DEVİR" entries.
class TgirisF;

// Closes the open company's working year Y: asks, reads the year-Y sums on the
// carry-over connection, opens the company in Y+1 through the login's own step,
// asks again and writes the opening entries there in one transaction. Nothing is
// written when Y+1 cannot be opened. Returns true when the entries were written.
bool YilSonuDevri(TgirisF &login);
