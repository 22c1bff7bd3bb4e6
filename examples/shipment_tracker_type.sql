-- Object type whose attributes carry documentation comments of their own.
create or replace type shipment_tracker force under tracker_base(

  /**
   * Carrier code as printed on the waybill, upper case, never blank.
   */
  carrier_code varchar2(10),

  /**
   * Number of parcels announced by the sender (including the returned ones).
   */
  parcel_count integer,
  delivered_count integer,

  /**
   * Timestamps of the scans, oldest first; kept for the delivery report only.
   */
  scan_times timestamp_list,

  constructor function shipment_tracker(
    self in out nocopy shipment_tracker, a_carrier varchar2
  ) return self as result,

  /**
   * Records one scan and moves the delivered count when the parcel reached its address.
   */
  member procedure record_scan(self in out nocopy shipment_tracker, a_scanned_at timestamp, a_delivered boolean),

  overriding member function summary return varchar2
)
not final
/
