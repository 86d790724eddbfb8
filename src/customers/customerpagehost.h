#pragma once
// What the Customer details page asks of the program around it; its feature
// unit answers.

#include <QString>

namespace tw::app {

// What the page asks of the program around it.
class CustomerPageHost {
public:
    virtual ~CustomerPageHost() = default;
    // The help pages live in the program folder.
    virtual bool OpenHelpPage(const QString& page) = 0;
    // The restriction to active customers is kept for the next run.
    virtual void RestrictCustomerChanged(bool restrict) = 0;
};

}  // namespace tw::app
