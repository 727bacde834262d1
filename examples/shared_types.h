/* Definitions shared by the order messages: identifiers, money and the
   postal address used by customers and deliveries. */
#ifndef SHARED_TYPES_H
#define SHARED_TYPES_H

#define NAME_SIZE     40
#define CITY_SIZE     30
#define CURRENCY_SIZE 3

typedef unsigned long ORDER_NO;
typedef unsigned long CUSTOMER_NO;
typedef long          AMOUNT_CENTS;
typedef char          CURRENCY_CODE[CURRENCY_SIZE];

struct address {
    char  street[NAME_SIZE];
    char  city[CITY_SIZE];
    char  postcode[10];
    char  country[2];
};

#endif
