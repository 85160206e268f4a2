#include "generated_data.h"

#include <array>
#include <cmath>
#include <string>
#include <string_view>

#include "storage/value_text.h"

namespace korvela::bench {
namespace {

struct TCategory {
  std::string_view name;
  std::array<std::string_view, 8> foods;
  int weight;  // relative share of the catalogue's foods
};

// Food names read like the public nutrient tables: a main word and a few
// comma-separated qualifiers, some with "&" and inch marks.
constexpr std::array<TCategory, 25> kCategories = {{
    {"Dairy and Egg Products",
     {"Cheese", "Milk", "Yogurt", "Cream", "Egg", "Butter", "Cottage cheese", "Ice cream"},
     6},
    {"Spices and Herbs",
     {"Spices", "Basil", "Pepper", "Cinnamon", "Thyme", "Mustard seed", "Salt & pepper", "Vanilla"},
     2},
    {"Baby Foods",
     {"Babyfood", "Infant formula", "Teething biscuits", "Babyfood, fruit", "Zwieback",
      "Babyfood, cereal", "Babyfood, juice", "Babyfood, dinner"},
     3},
    {"Fats and Oils",
     {"Oil", "Margarine", "Shortening", "Salad dressing", "Mayonnaise", "Lard",
      "Margarine-like spread", "Oil & vinegar"},
     3},
    {"Poultry Products",
     {"Chicken", "Turkey", "Duck", "Goose", "Cornish game hens", "Chicken, broilers or fryers",
      "Pheasant", "Quail"},
     5},
    {"Soups, Sauces, and Gravies",
     {"Soup", "Sauce", "Gravy", "Soup, chicken noodle", "Sweet & sour sauce", "Soup, tomato",
      "Sauce, pasta", "Soup, clam chowder"},
     4},
    {"Sausages and Luncheon Meats",
     {"Sausage", "Bologna", "Frankfurter", "Ham", "Salami", "Bratwurst", "Pepperoni", "Liverwurst"},
     3},
    {"Breakfast Cereals",
     {"Cereals ready-to-eat", "Cereals", "Oats", "Granola", "Corn flakes", "Bran flakes",
      "Wheat & barley nuggets", "Rice, puffed"},
     4},
    {"Fruits and Fruit Juices",
     {"Apples", "Bananas", "Oranges", "Peaches", "Strawberries", "Grapes", "Fruit cocktail",
      "Apple juice"},
     5},
    {"Pork Products",
     {"Pork, fresh", "Pork, cured", "Bacon", "Pork, loin", "Pork, shoulder", "Pork, spareribs",
      "Pork & beans", "Ham, sliced"},
     4},
    {"Vegetables and Vegetable Products",
     {"Beans, snap", "Broccoli", "Carrots", "Potatoes", "Spinach", "Tomatoes", "Peas & carrots",
      "Onions"},
     8},
    {"Nut and Seed Products",
     {"Nuts, almonds", "Nuts, walnuts", "Seeds, sunflower", "Peanut butter", "Nuts, cashew",
      "Seeds, sesame", "Trail mix, nuts & seeds", "Nuts, pecans"},
     3},
    {"Beef Products",
     {"Beef, ground", "Beef, chuck", "Beef, rib", "Beef, loin", "Beef, round", "Beef, brisket",
      "Beef, short loin", "Beef, variety meats & by-products"},
     8},
    {"Beverages",
     {"Beverages, coffee", "Beverages, tea", "Beverages, cola", "Beer", "Wine", "Beverages, juice",
      "Whiskey", "Beverages, energy drink"},
     4},
    {"Finfish and Shellfish Products",
     {"Fish, salmon", "Fish, tuna", "Fish, cod", "Crustaceans, shrimp", "Mollusks, clam",
      "Fish, trout", "Crustaceans, crab", "Fish, sardine"},
     4},
    {"Legumes and Legume Products",
     {"Beans, black", "Beans, kidney", "Lentils", "Chickpeas", "Soybeans", "Tofu", "Peas, split",
      "Beans & franks"},
     4},
    {"Lamb, Veal, and Game Products",
     {"Lamb, leg", "Lamb, loin", "Veal, shoulder", "Veal, loin", "Game meat, deer",
      "Game meat, elk", "Game meat, bison", "Lamb, rib"},
     3},
    {"Baked Products",
     {"Bread", "Cookies", "Crackers", "Muffins", "Cake", "Pie", "Rolls", "Bagels"},
     6},
    {"Sweets",
     {"Candies", "Chocolate", "Syrups", "Jams & preserves", "Sugars", "Honey", "Frostings",
      "Gelatin desserts"},
     4},
    {"Cereal Grains and Pasta",
     {"Rice, white", "Rice, brown", "Pasta", "Noodles, egg", "Wheat flour", "Cornmeal", "Barley",
      "Macaroni & cheese"},
     4},
    {"Fast Foods",
     {"Fast foods, hamburger", "Fast foods, pizza", "Fast foods, french fries", "Fast foods, taco",
      "Fast foods, chicken", "Fast foods, biscuit", "Fast foods, sandwich",
      "Fast foods, fish & chips"},
     4},
    {"Meals, Entrees, and Side Dishes",
     {"Lasagna", "Burrito", "Chili con carne", "Pot pie", "Beef stew", "Spaghetti & meatballs",
      "Fried rice", "Enchilada"},
     3},
    {"Snacks",
     {"Snacks, potato chips", "Snacks, popcorn", "Snacks, pretzels", "Snacks, tortilla chips",
      "Snacks, granola bar", "Snacks, rice cakes", "Snacks, crackers & cheese",
      "Snacks, trail mix"},
     3},
    {"American Indian/Alaska Native Foods",
     {"Acorn stew", "Fry bread", "Caribou", "Seal", "Salmon, smoked", "Whale, blubber",
      "Stew, corn & squash", "Chokecherries"},
     1},
    {"Restaurant Foods",
     {"Restaurant, Italian", "Restaurant, Chinese", "Restaurant, Mexican",
      "Restaurant, family style", "Restaurant, Latino", "Restaurant, Japanese",
      "Restaurant, fish & chips", "Restaurant, steak house"},
     3},
}};

constexpr std::array<std::string_view, 48> kQualifiers = {
    "raw",
    "cooked",
    "boiled",
    "drained",
    "without salt",
    "with salt",
    "canned",
    "frozen",
    "unprepared",
    "prepared with water",
    "low fat",
    "reduced sodium",
    "enriched",
    "whole",
    "sliced",
    "chopped",
    "roasted",
    "dry roasted",
    "baked",
    "pan-fried",
    "skin only",
    "meat only",
    "lean only",
    "lean & fat",
    "trimmed to 1/8\" fat",
    "trimmed to 0\" fat",
    "choice",
    "select",
    "all grades",
    "ready-to-eat",
    "fortified",
    "home-prepared",
    "commercial",
    "regular pack",
    "light syrup pack",
    "juice pack",
    "mature seeds",
    "sprouted",
    "with skin",
    "without skin",
    "12\" pizza",
    "\"lite\"",
    "plain",
    "fruit & nut",
    "includes USDA commodity",
    "solids & liquids",
    "stewed",
    "microwaved",
};

struct TMeasure {
  std::string_view desc;
  double minGrams;
  double maxGrams;
};

constexpr std::array<TMeasure, 24> kMeasures = {{
    {"cup, chopped", 100, 180},
    {"cup, sliced", 90, 170},
    {"cup, diced", 120, 160},
    {"cup, shredded", 80, 120},
    {"cup", 30, 250},
    {"tbsp", 5, 20},
    {"tsp", 2, 7},
    {"oz", 28.35, 28.35},
    {"lb", 453.6, 453.6},
    {"slice", 15, 40},
    {"slice, large (3-1/2\" x 2\")", 25, 50},
    {"medium (2-3/4\" dia)", 110, 180},
    {"large", 150, 230},
    {"small", 60, 110},
    {"package (10 oz)", 284, 284},
    {"serving", 40, 300},
    {"fl oz", 29.6, 31},
    {"piece", 10, 90},
    {"fillet", 120, 200},
    {"container (6 oz)", 170, 170},
    {"can (15 oz)", 425, 425},
    {"stalk", 35, 45},
    {"pat (1\" sq, 1/3\" high)", 5, 5},
    {"NLEA serving", 30, 240},
}};

constexpr std::array<double, 8> kAmounts = {1, 1, 1, 0.5, 0.25, 2, 3, 4};

// Attribute names of the day record's numbers, in the order they are written.
constexpr std::array<std::string_view, 10> kDayFields = {"Cal", "P",   "F",  "C",  "A",
                                                         "Fib", "Wat", "Na", "BW", "BF"};

struct TDayKind {
  std::int32_t id;
  double share;  // of the days that have a record of the kind
};

constexpr std::array<TDayKind, 8> kDayKinds = {{
    {111, 0.95},
    {112, 0.90},
    {113, 0.45},
    {114, 0.30},
    {115, 0.80},
    {116, 0.20},
    {118, 0.40},
    {120, 0.25},
}};

// A draw from [0, 1).
double Unit(TRandom& random) { return random.Next() / 4294967296.0; }

double Between(TRandom& random, double low, double high) {
  return low + (high - low) * Unit(random);
}

// Stored values come from entry fields and tables with few decimals.
double Rounded(double value, double step) { return std::round(value / step) * step; }

template <typename T, std::size_t N>
const T& Pick(TRandom& random, const std::array<T, N>& items) {
  return items[static_cast<std::size_t>(random.Uniform(0, N))];
}

std::string FoodName(TRandom& random, const TCategory& category) {
  std::string name(Pick(random, category.foods));
  const auto qualifiers = random.Uniform(1, 5);
  std::size_t last = kQualifiers.size();
  for (std::int64_t i = 0; i < qualifiers; ++i) {
    std::size_t q = static_cast<std::size_t>(random.Uniform(0, kQualifiers.size()));
    if (q == last) q = (q + 1) % kQualifiers.size();
    last = q;
    name += ", ";
    name += kQualifiers[q];
  }
  return name;
}

std::unique_ptr<XMLNode> MakeFood(TRandom& random, const TCategory& category, bool drinks) {
  auto food = std::make_unique<XMLNode>("Food");
  food->AddAttr("Name", FoodName(random, category));
  // Grams per 100 g: protein, fat and carbohydrate never add up past 100.
  double p = Between(random, 0, 35);
  double f = Between(random, 0, 45);
  double c = Between(random, 0, 85);
  const double sum = p + f + c;
  if (sum > 95) {
    p *= 95 / sum;
    f *= 95 / sum;
    c *= 95 / sum;
  }
  const double a = drinks && Unit(random) < 0.3 ? Between(random, 0.5, 40) : 0;
  food->AddFloatAttr("P", Rounded(p, 0.01));
  food->AddFloatAttr("F", Rounded(f, 0.01));
  food->AddFloatAttr("C", Rounded(c, 0.01));
  food->AddFloatAttr("A", Rounded(a, 0.1));

  const auto measures = random.Uniform(2, 7);
  for (std::int64_t i = 0; i < measures; ++i) {
    const TMeasure& m = Pick(random, kMeasures);
    auto w = std::make_unique<XMLNode>("W");
    w->AddFloatAttr("Amt", Pick(random, kAmounts));
    w->AddAttr("Desc", std::string(m.desc));
    w->AddFloatAttr("G", Rounded(Between(random, m.minGrams, m.maxGrams), 0.1));
    food->AddChild(std::move(w));
  }
  return food;
}

}  // namespace

std::unique_ptr<XMLNode> MakeFoodCatalogue(std::size_t minTextBytes, TRandom& random) {
  auto root = std::make_unique<XMLNode>("Foods");
  std::array<XMLNode*, kCategories.size()> cats{};
  int totalWeight = 0;
  for (std::size_t i = 0; i < kCategories.size(); ++i) {
    auto cat = std::make_unique<XMLNode>("Cat");
    cat->AddAttr("Name", std::string(kCategories[i].name));
    cats[i] = &root->AddChild(std::move(cat));
    totalWeight += kCategories[i].weight;
  }
  std::size_t textBytes = root->ToText().size();
  while (textBytes < minTextBytes) {
    auto draw = random.Uniform(0, totalWeight);
    std::size_t i = 0;
    while (draw >= kCategories[i].weight) draw -= kCategories[i++].weight;
    auto food = MakeFood(random, kCategories[i], kCategories[i].name == "Beverages");
    textBytes += food->ToText().size();
    cats[i]->AddChild(std::move(food));
  }
  return root;
}

std::vector<TDayRecordKey> MakeDayRecordKeys(std::size_t count, TRandom& random) {
  std::vector<TDayRecordKey> keys;
  keys.reserve(count);
  for (TDateTime day = EncodeDate(2009, 1, 1); keys.size() < count; day += 1)
    for (const TDayKind& kind : kDayKinds)
      if (keys.size() < count && Unit(random) < kind.share) keys.push_back({kind.id, day});
  return keys;
}

std::unique_ptr<XMLNode> MakeDayRecord(TRandom& random) {
  auto record = std::make_unique<XMLNode>("SCal");
  const auto fields = random.Uniform(6, 11);
  for (std::int64_t i = 0; i < fields; ++i)
    record->AddFloatAttr(std::string(kDayFields[static_cast<std::size_t>(i)]),
                         Rounded(Between(random, 0, i == 0 ? 3500 : 250), 0.1));
  const auto entries = random.Uniform(0, 4);
  for (std::int64_t i = 0; i < entries; ++i) {
    auto entry = std::make_unique<XMLNode>("SECE");
    entry->AddIntAttr("ID", static_cast<std::int32_t>(random.Uniform(10, 2000)));
    entry->AddFloatAttr("Min", Rounded(Between(random, 5, 90), 1));
    entry->AddFloatAttr("Cal", Rounded(Between(random, 20, 900), 0.1));
    record->AddChild(std::move(entry));
  }
  return record;
}

}  // namespace korvela::bench
