#include "self.sql"
