#include "jobcard/JobCard.h"

const char* UnitName(MileageUnit unit) { return unit == MileageUnit::Mi ? "mi" : "km"; }
