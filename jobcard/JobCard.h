#pragma once
// The job a run belongs to, as the technician enters it beside the reports: the car's plate, its
// mileage, the customer, the workshop's job number and free notes. Every text is UTF-8, kept as
// typed. It lives in the run's folder as a small text file (JobCardFile.h).
#include "framework/CString.h"

enum class MileageUnit { Km, Mi };

struct JobCard {
    CString plate;
    CString mileage;  // digits only; empty when not given
    MileageUnit unit = MileageUnit::Km;
    CString customer;
    CString jobNumber;
    CString notes;  // lines end in CR LF

    bool IsEmpty() const
    {
        return plate.IsEmpty() && mileage.IsEmpty() && customer.IsEmpty() && jobNumber.IsEmpty() && notes.IsEmpty();
    }
    friend bool operator==(const JobCard& a, const JobCard& b)
    {
        return a.plate == b.plate && a.mileage == b.mileage && (a.mileage.IsEmpty() || a.unit == b.unit) &&
               a.customer == b.customer && a.jobNumber == b.jobNumber && a.notes == b.notes;
    }
};

// The most each field holds, in UTF-16 units as an edit box counts them.
constexpr int kPlateMaxLength = 20;
constexpr int kMileageMaxLength = 9;
constexpr int kCustomerMaxLength = 60;
constexpr int kJobNumberMaxLength = 30;
constexpr int kNotesMaxLength = 4000;

// The file's name inside a run's folder.
constexpr const char* kJobCardFileName = "JOB.TXT";

const char* UnitName(MileageUnit unit);
