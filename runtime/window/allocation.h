#pragma once
// Every allocation through operator new that fails is a runtime error that
// names the size. The report itself needs memory: a reserve set aside at
// start-up is given back first.

void ReserveMemoryForReports();
