struct Y { int q; struct Z { int q; } z; int *p; int r; };
struct A { int a; } origin = { 0 };
