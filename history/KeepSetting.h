#pragma once
// "Keep the reports of every device": on unless the user turned it off, kept under the
// program's settings root in the registry.
bool KeepsReports();
bool SetKeepsReports(bool keep);
