ox := tp(tp(u4)) || p(v9, u9) || s(w5);
#define k(x) t(x) pp(x)
k(k(k(k(u3))))
