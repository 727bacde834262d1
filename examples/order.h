/* Order messages exchanged between the web shop and the warehouse.
   Uses the shared definitions for identifiers, money and addresses. */
#ifndef ORDER_H
#define ORDER_H

#include "shared_types.h"

#define MAX_ITEMS 20

typedef struct customer_rec {
    CUSTOMER_NO    customer_no;
    char           name[NAME_SIZE];
    struct address billing;
    short          loyalty_level;
} CUSTOMER;

typedef struct {
    char          sku[12];
    unsigned int  quantity;
    AMOUNT_CENTS  unit_price;
    float         discount_rate;
} ITEM;

struct order {
    ORDER_NO       order_no;
    CUSTOMER       customer;
    struct delivery {
        struct address ship_to;
        char           carrier[16];
        long           promised_date;
    } delivery;
    unsigned short item_count;
    ITEM           items[MAX_ITEMS];
    AMOUNT_CENTS   total;
    CURRENCY_CODE  currency;
};

#endif
