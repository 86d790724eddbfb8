#pragma once
// A request set: country, qbXML version, the OnError attribute and exactly
// one request. The session manager creates it; an append may give none (the
// library's way of refusing), and a second append replaces nothing.

#include "exchange/qb/requests.h"

namespace tw::qb {

class MsgSetRequest {
public:
    MsgSetRequest(QString country, int major, int minor, bool appendsRefused = false)
        : country_(std::move(country)),
          major_(major),
          minor_(minor),
          appendsRefused_(appendsRefused)
    {}

    const QString& Country() const { return country_; }
    int Major() const { return major_; }
    int Minor() const { return minor_; }
    // "3.0", or "CA3.0" for a Canadian set.
    QString VersionText() const;

    // The Attributes' OnError: 0 continue on error, 1 (or unset) stop on error.
    std::optional<int> OnError;

    CustomerQueryRq* AppendCustomerQueryRq() { return Append<CustomerQueryRq>(); }
    CustomerAddRq* AppendCustomerAddRq() { return Append<CustomerAddRq>(); }
    CustomerModRq* AppendCustomerModRq() { return Append<CustomerModRq>(); }
    EmployeeQueryRq* AppendEmployeeQueryRq() { return Append<EmployeeQueryRq>(); }
    DataExtDefQueryRq* AppendDataExtDefQueryRq() { return Append<DataExtDefQueryRq>(); }
    ItemQueryRq* AppendItemQueryRq() { return Append<ItemQueryRq>(); }
    ItemServiceModRq* AppendItemServiceModRq() { return Append<ItemServiceModRq>(); }
    ItemOtherChargeModRq* AppendItemOtherChargeModRq() { return Append<ItemOtherChargeModRq>(); }

    const std::optional<tw::qb::Request>& Request() const { return request_; }
    std::optional<tw::qb::Request>& Request() { return request_; }

private:
    template <class T>
    T* Append()
    {
        if (appendsRefused_ || request_)
            return nullptr;
        request_.emplace(T{});
        return &std::get<T>(*request_);
    }

    QString country_;
    int major_;
    int minor_;
    bool appendsRefused_;
    std::optional<tw::qb::Request> request_;
};

}  // namespace tw::qb
