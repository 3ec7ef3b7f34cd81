#pragma once

// Where a cell's text sits vertically.
enum TTextLayout { tlTop, tlCenter, tlBottom };
