#pragma once
// The demo company a new user can start with: "DEMO", with a year of cheques,
// slips, movements and cash rows in the current and the previous year.
// Created only when the registry has no company yet; returns true when it was.
bool createDemoCompanyIfEmpty();
